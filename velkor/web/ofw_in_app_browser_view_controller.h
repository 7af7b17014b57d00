// The SDK's in-app browser: a page the offerwall opens inside the app, under a bar with its title;
// the factory sets both.
#pragma once

#include "velkor/web/ofw_web_page_view_controller.h"

namespace velkor {

class OfwInAppBrowserViewController : public OfwWebPageViewController {
 public:
  using OfwWebPageViewController::OfwWebPageViewController;
};

}  // namespace velkor
