#include "velkor/resources/resource_bundle.h"

namespace velkor {

const ui::ImageBundle& resourceBundle() {
  static const ui::ImageBundle* bundle = new ui::ImageBundle(resourceImageEntries());
  return *bundle;
}

}  // namespace velkor
