// The screen factory: makes every screen and replaceable view of the offerwall from the class the
// publisher names, or the SDK's own. It keeps nothing; make one where it is needed. Main thread.
#pragma once

#include <memory>

#include "platform/ui/view.h"

namespace velkor {

class DependencyContainer {
 public:
  // A new loading indicator of the configured class (VelkorConfig::indicatorViewClass), made with
  // its plain initialiser; null when that class makes none or makes a view that is no indicator.
  std::shared_ptr<ui::View> makeLoadingIndicatorView() const;
};

}  // namespace velkor
