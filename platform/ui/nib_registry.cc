#include "platform/ui/nib_registry.h"

#include <exception>

#include "platform/base/log.h"

namespace ui {

NibRegistry& NibRegistry::framework() {
  static auto* registry = new NibRegistry;
  return *registry;
}

NibRegistry& NibRegistry::main() {
  static auto* registry = new NibRegistry;
  return *registry;
}

void NibRegistry::registerNib(std::string name, Builder builder) {
  std::lock_guard lock(mutex_);
  if (!builder) {
    builders_.erase(name);
    return;
  }
  builders_.insert_or_assign(std::move(name), std::move(builder));
}

void NibRegistry::removeNib(std::string_view name) {
  std::lock_guard lock(mutex_);
  if (auto it = builders_.find(name); it != builders_.end()) builders_.erase(it);
}

bool NibRegistry::contains(std::string_view name) const {
  std::lock_guard lock(mutex_);
  return builders_.find(name) != builders_.end();
}

NibRegistry::Builder NibRegistry::builder(std::string_view name) const {
  std::lock_guard lock(mutex_);
  auto it = builders_.find(name);
  return it == builders_.end() ? Builder() : it->second;
}

std::vector<NibObject> NibRegistry::load(std::string_view name, const NibOwner& owner) const {
  // Built outside the lock: a builder may load other nibs.
  const Builder build = builder(name);
  if (!build) {
    base::logError("NibRegistry: no nib named \"" + std::string(name) + "\"");
    return {};
  }
  try {
    return build(owner);
  } catch (const std::exception& error) {
    base::logError("NibRegistry: the nib \"" + std::string(name) + "\" failed to load: " + error.what());
  } catch (...) {
    base::logError("NibRegistry: the nib \"" + std::string(name) + "\" failed to load");
  }
  return {};
}

}  // namespace ui
