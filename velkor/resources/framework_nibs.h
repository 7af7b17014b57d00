// The framework's nibs, as builders in ui::NibRegistry::framework(): the two alerts, the navigation
// bar's content and the prepare view. Registered on first use.
#pragma once

#include "platform/ui/nib_registry.h"

namespace velkor {

// The framework's registry with every nib of the SDK registered.
const ui::NibRegistry& frameworkNibs();

}  // namespace velkor
