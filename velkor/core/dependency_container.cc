#include "velkor/core/dependency_container.h"

#include "velkor/components/indicator_view_representable.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {

std::shared_ptr<ui::View> DependencyContainer::makeLoadingIndicatorView() const {
  auto view = VelkorInternal::shared().config()->indicatorViewClass()();
  return asIndicator(view.get()) ? view : nullptr;
}

}  // namespace velkor
