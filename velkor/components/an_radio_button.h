// A plain control kept for publishers that name it; it draws and does nothing of its own.
#pragma once

#include "platform/ui/control.h"

namespace velkor {

class ANRadioButton : public ui::Control {
 public:
  using ui::Control::Control;
};

}  // namespace velkor
