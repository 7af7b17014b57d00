// The screen the user sees now, found from a root controller: what the SDK presents from when it
// has no screen of its own to start from (a native-ad tap, a web page's show command).
#pragma once

#include <memory>

namespace ui {
class ViewController;
}

namespace velkor {

// Through a navigation controller's visible screen, a tab bar controller's selected one and any
// presented controller; the root itself when none applies. Null without a root. Main thread only.
std::shared_ptr<ui::ViewController> topViewController(const std::shared_ptr<ui::ViewController>& root);

}  // namespace velkor
