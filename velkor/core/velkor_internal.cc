#include "velkor/core/velkor_internal.h"

#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/core/pub_app_module.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_session.h"

namespace velkor {

VelkorInternal& VelkorInternal::shared() {
  static VelkorInternal* instance = new VelkorInternal();
  return *instance;
}

VelkorInternal::VelkorInternal()
    : config_(std::make_shared<VelkorConfig>()),
      colorScheme_(std::make_shared<VelkorColorScheme>()),
      dimension_(std::make_shared<VelkorDimension>()),
      session_(std::make_shared<VelkorSession>()) {}

std::shared_ptr<VelkorConfig> VelkorInternal::config() const {
  std::lock_guard guard(mutex_);
  return config_;
}

void VelkorInternal::setConfig(std::shared_ptr<VelkorConfig> config) {
  if (!config) return;
  std::lock_guard guard(mutex_);
  config_ = std::move(config);
}

std::shared_ptr<VelkorColorScheme> VelkorInternal::colorScheme() const {
  std::lock_guard guard(mutex_);
  return colorScheme_;
}

void VelkorInternal::setColorScheme(std::shared_ptr<VelkorColorScheme> colorScheme) {
  if (!colorScheme) return;
  std::lock_guard guard(mutex_);
  colorScheme_ = std::move(colorScheme);
}

std::shared_ptr<VelkorDimension> VelkorInternal::dimension() const {
  std::lock_guard guard(mutex_);
  return dimension_;
}

void VelkorInternal::setDimension(std::shared_ptr<VelkorDimension> dimension) {
  if (!dimension) return;
  std::lock_guard guard(mutex_);
  dimension_ = std::move(dimension);
}

std::string VelkorInternal::appId() const {
  std::lock_guard guard(mutex_);
  return appId_;
}

void VelkorInternal::setAppId(std::string appId) {
  std::lock_guard guard(mutex_);
  appId_ = std::move(appId);
}

std::shared_ptr<PubAppModule> VelkorInternal::pubAppModule() const {
  std::lock_guard guard(mutex_);
  return pubAppModule_;
}

void VelkorInternal::setPubAppModule(std::shared_ptr<PubAppModule> module) {
  std::lock_guard guard(mutex_);
  pubAppModule_ = std::move(module);
}

std::shared_ptr<VelkorSession> VelkorInternal::session() const {
  std::lock_guard guard(mutex_);
  return session_;
}

void VelkorInternal::setSession(std::shared_ptr<VelkorSession> session) {
  if (!session) return;
  std::lock_guard guard(mutex_);
  session_ = std::move(session);
}

}  // namespace velkor
