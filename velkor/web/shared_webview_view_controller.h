// The plain web page of the SDK: the help and contact page. Its opener sets the page's address,
// made by UriHandler::buildUrl. The page itself (its web view and script bridge) lives with the
// other web pages.
#pragma once

#include <string>

#include "velkor/components/ofw_base_view_controller.h"

namespace velkor {

class SharedWebviewViewController : public OfwBaseViewController {
 public:
  using OfwBaseViewController::OfwBaseViewController;

  const std::string& webViewURL() const { return webViewURL_; }
  void setWebViewURL(std::string url) { webViewURL_ = std::move(url); }
  // The bar's title.
  const std::string& navigationBarTitle() const { return navigationBarTitle_; }
  void setNavigationBarTitle(std::string title) { navigationBarTitle_ = std::move(title); }

 private:
  std::string webViewURL_;
  std::string navigationBarTitle_ = "이용문의";
};

}  // namespace velkor
