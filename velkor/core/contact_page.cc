#include "velkor/core/contact_page.h"

#include "platform/ui/navigation_controller.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/uri_handler.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/velkor_offerwall_delegate.h"
#include "velkor/web/shared_webview_view_controller.h"

namespace velkor {

void showContactPage(ui::NavigationController* navigation, const std::string& address) {
  if (!UserProfile::uid()) {
    auto delegate = VelkorInternal::shared().delegate();
    if (!delegate) return;
    auto offerwall = VelkorInternal::shared().navigationController();
    delegate->requestLogin(offerwall ? offerwall->visibleViewController() : nullptr);
    return;
  }
  auto page = DependencyContainer().makeContractViewController();
  if (!navigation || !page) return;
  page->setWebViewURL(UriHandler::buildUrl(address));
  navigation->show(page);
}

}  // namespace velkor
