// One tab of the tab strip: its title and the underline that marks the selected tab.
#pragma once

#include <memory>

#include "platform/ui/control.h"
#include "platform/ui/label.h"
#include "velkor/appearance/velkor_color_scheme.h"

namespace velkor {

class ANTabBarView : public ui::Control {
 public:
  // Title and hidden underline in the scheme's tab colours.
  static std::shared_ptr<ANTabBarView> make(const VelkorColorScheme& colorScheme, const ui::Rect& frame = {});

  const std::shared_ptr<ui::Label>& label() const { return label_; }
  const std::shared_ptr<ui::View>& indicator() const { return indicator_; }

  explicit ANTabBarView(const ui::Rect& frame) : ui::Control(frame) {}

 private:
  void build(const VelkorColorScheme& colorScheme);

  std::shared_ptr<ui::Label> label_;
  std::shared_ptr<ui::View> indicator_;
};

}  // namespace velkor
