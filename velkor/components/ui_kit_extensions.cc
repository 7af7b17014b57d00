#include "velkor/components/ui_kit_extensions.h"

#include <memory>

#include "platform/ui/shape_layer.h"
#include "velkor/core/os_version_gate.h"

namespace velkor {
namespace {

std::function<void()>& actionHandler() {
  static auto* handler = new std::function<void()>();
  return *handler;
}

}  // namespace

void setButtonActionHandler(std::function<void()> handler) { actionHandler() = std::move(handler); }

void triggerActionHandler() {
  // A copy, so that an action which installs another runs to its end.
  if (auto handler = actionHandler()) handler();
}

void addTriggerActionHandler(ui::Button& button) {
  button.addTarget(&button, [](ui::Control&) { triggerActionHandler(); }, ui::ControlEvent::touchUpInside);
}

void roundCorners(ui::View& view, ui::RectCorner corners, double radius) {
  auto mask = std::make_shared<ui::ShapeLayer>();
  mask->setPath(ui::BezierPath::roundedRect(view.bounds(), corners, {radius, radius}));
  view.layer().setMask(std::move(mask));
}

bool isDarkMode(const ui::View& view) {
  if (!isOsVersionAtLeast("13")) return false;
  if (view.overrideUserInterfaceStyle() == ui::UserInterfaceStyle::unspecified) {
    return view.traitCollection().userInterfaceStyle == ui::UserInterfaceStyle::dark;
  }
  return view.overrideUserInterfaceStyle() == ui::UserInterfaceStyle::dark;
}

}  // namespace velkor
