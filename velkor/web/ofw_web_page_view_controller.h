// What the in-app browser and the ad detail web page share: a page at an address, under a bar
// with a title, both set by whoever opens it. The pages themselves (their web views and script
// bridges) are built on this.
#pragma once

#include <string>

#include "velkor/components/ofw_base_view_controller.h"

namespace velkor {

class OfwWebPageViewController : public OfwBaseViewController {
 public:
  using OfwBaseViewController::OfwBaseViewController;

  // The page to load.
  const std::string& webViewURL() const { return webViewURL_; }
  void setWebViewURL(std::string url) { webViewURL_ = std::move(url); }
  // The title shown in its bar.
  const std::string& navigationTitle() const { return navigationTitle_; }
  void setNavigationTitle(std::string title) { navigationTitle_ = std::move(title); }

 private:
  std::string webViewURL_;
  std::string navigationTitle_;
};

}  // namespace velkor
