// The help page as the offerwall's screens open it from inside: the list pages, the pager and the ad
// detail all follow the same rule for a user the SDK does not know yet.
#pragma once

#include <string>

namespace ui {
class NavigationController;
}

namespace velkor {

// For a known user (an empty id counts as known) the help page at the address is shown on the given
// stack; nothing without a stack or a page. Otherwise the host's delegate is asked to log the user in,
// from the offerwall's visible screen.
void showContactPage(ui::NavigationController* navigation, const std::string& address);

}  // namespace velkor
