#include "velkor/core/velkor.h"

#include "platform/base/date.h"
#include "platform/base/defaults.h"
#include "velkor/core/preference_manager.h"
#include "velkor/core/sdk_version.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/constants.h"
#include "velkor/network/logic_list_api_client.h"
#include "velkor/network/velkor_api_client.h"
#include "velkor/resources/framework_nibs.h"

namespace velkor {

std::optional<Stage> stageFromRawValue(int rawValue) {
  if (rawValue < 0 || rawValue > 3) return std::nullopt;
  return static_cast<Stage>(rawValue);
}

Velkor& Velkor::shared() {
  static Velkor* instance = [] {
    auto* facade = new Velkor();
    Constants::setStageSource([facade] { return static_cast<int>(facade->stage()); });
    return facade;
  }();
  return *instance;
}

Velkor::Velkor() : internalShared_(VelkorInternal::shared()) {}

void Velkor::setStage(Stage stage) {
  stage_.store(stage);
  VelkorApiClient::resetBaseUrl();
  LogicListApiClient::resetBaseUrl();
  internalShared_.configureTracking();
}

void Velkor::initialize(std::string appId) {
  internalShared_.setAppId(std::move(appId));
  internalShared_.repository()->remoteDataSource()->refreshTagListIfNeeded();
  internalShared_.configureTracking();
}

void Velkor::isTester(bool isTester) { internalShared_.setIsTester(isTester); }
bool Velkor::isTestDevice() const { return internalShared_.isTester(); }
void Velkor::setIsTestDevice(bool isTestDevice) { internalShared_.setIsTester(isTestDevice); }

bool Velkor::debugEnable() const { return internalShared_.debugEnabled(); }
void Velkor::setDebugEnable(bool enable) { internalShared_.setDebugEnabled(enable); }

std::shared_ptr<VelkorOfferwallDelegate> Velkor::delegate() const { return internalShared_.delegate(); }
void Velkor::setDelegate(std::weak_ptr<VelkorOfferwallDelegate> delegate) {
  internalShared_.setDelegate(std::move(delegate));
}

std::shared_ptr<OfwLifeCycleDelegate> Velkor::lifeCycleDelegate() const { return internalShared_.lifeCycleDelegate(); }
void Velkor::setLifeCycleDelegate(std::weak_ptr<OfwLifeCycleDelegate> delegate) {
  internalShared_.setLifeCycleDelegate(std::move(delegate));
}

std::shared_ptr<OfwLoginDelegate> Velkor::loginDelegate() const { return internalShared_.loginDelegate(); }
void Velkor::setLoginDelegate(std::weak_ptr<OfwLoginDelegate> delegate) {
  internalShared_.setLoginDelegate(std::move(delegate));
}

std::optional<std::string> Velkor::uid() const { return UserProfile::uid(); }
void Velkor::setUid(std::optional<std::string> uid) { internalShared_.updateUid(std::move(uid)); }

int Velkor::gender() const { return internalShared_.userInfo().gender(); }
void Velkor::setGender(int gender) { internalShared_.setGender(gender); }

int Velkor::birthYear() const { return internalShared_.userInfo().birthYear(); }
void Velkor::setBirthYear(int birthYear) { internalShared_.setBirthYear(birthYear); }

std::string Velkor::sdkVer() const { return kSdkVersion; }

ui::UserInterfaceStyle Velkor::overrideUserInterfaceStyle() const { return internalShared_.userInterfaceStyle(); }
void Velkor::setOverrideUserInterfaceStyle(ui::UserInterfaceStyle style) {
  internalShared_.setUserInterfaceStyle(style);
}

bool Velkor::isTutorialShown() const {
  return base::Defaults::standard()->boolValue(PreferenceManager::kTutorialShownKey);
}
void Velkor::setIsTutorialShown(bool shown) {
  base::Defaults::standard()->setBool(PreferenceManager::kTutorialShownKey, shown);
}

std::shared_ptr<VelkorConfig> Velkor::config() const { return internalShared_.config(); }
void Velkor::setConfig(std::shared_ptr<VelkorConfig> config) { internalShared_.setConfig(std::move(config)); }

std::shared_ptr<VelkorColorScheme> Velkor::colorScheme() const { return internalShared_.colorScheme(); }
void Velkor::setColorScheme(std::shared_ptr<VelkorColorScheme> colorScheme) {
  internalShared_.setColorScheme(std::move(colorScheme));
}

std::shared_ptr<VelkorDimension> Velkor::dimension() const { return internalShared_.dimension(); }
void Velkor::setDimension(std::shared_ptr<VelkorDimension> dimension) {
  internalShared_.setDimension(std::move(dimension));
}

std::shared_ptr<TrackingRepository> Velkor::trackingRepository() const {
  return internalShared_.trackingRepository();
}

std::shared_ptr<PubAppModule> Velkor::pubAppModule() const { return internalShared_.pubAppModule(); }
void Velkor::setPubAppModule(std::shared_ptr<PubAppModule> module) {
  internalShared_.setPubAppModule(std::move(module));
}

const ui::NibRegistry& Velkor::getBundle() const { return frameworkNibs(); }

double Velkor::getServerTime() const {
  const double gap =
      base::Defaults::standard()->doubleValue(PreferenceManager::keyText(PreferenceManager::Key::serverTimeGap));
  return base::Date::now().timeIntervalSince1970() + gap;
}

}  // namespace velkor
