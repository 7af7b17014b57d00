// The web page of an ad whose detail is a web page; its opener sets the address (made by
// UriHandler::buildUrl) and the bar's title.
#pragma once

#include "velkor/web/ofw_web_page_view_controller.h"

namespace velkor {

class OfwDetailWebViewController : public OfwWebPageViewController {
 public:
  using OfwWebPageViewController::OfwWebPageViewController;
};

}  // namespace velkor
