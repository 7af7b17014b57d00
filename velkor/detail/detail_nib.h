// The framework's nib "DefaultOfwDetailViewController": the detail page's view tree, its fonts and
// static texts, and the outlets (constraints included) it connects to its owner.
#pragma once

#include "platform/ui/nib_registry.h"

namespace velkor {

void registerDetailNib(ui::NibRegistry& registry);

}  // namespace velkor
