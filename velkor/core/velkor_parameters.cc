#include "velkor/core/velkor_parameters.h"

#include <array>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/base/bundle.h"
#include "platform/base/defaults.h"
#include "platform/base/uuid.h"
#include "platform/privacy/advertising_id.h"
#include "platform/privacy/tracking.h"
#include "platform/ui/device.h"
#include "velkor/core/preference_manager.h"
#include "velkor/core/pub_app_module.h"
#include "velkor/core/sdk_version.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/core/version.h"
#include "velkor/network/tracking_repository.h"

namespace velkor {
namespace {

struct OsVer {
  std::mutex mutex;
  std::optional<std::string> value;
};

OsVer& osVerState() {
  static OsVer* state = new OsVer;
  return *state;
}

struct TrackingIdSource {
  std::mutex mutex;
  std::function<std::string()> source;
};

TrackingIdSource& trackingIdSource() {
  static auto* state = new TrackingIdSource;
  return *state;
}

std::string trackingId() {
  std::function<std::string()> source;
  {
    std::lock_guard lock(trackingIdSource().mutex);
    source = trackingIdSource().source;
  }
  return source ? source() : VelkorInternal::shared().trackingRepository()->trackingID();
}

// Hardware identifiers and their marketing names, looked up in this order.
constexpr std::array<std::pair<std::string_view, std::string_view>, 66> kModels{{
    {"iPod5,1", "iPod Touch 5"},
    {"iPod7,1", "iPod Touch 6"},
    {"iPhone3,1", "iPhone 4"},
    {"iPhone3,2", "iPhone 4"},
    {"iPhone3,3", "iPhone 4"},
    {"iPhone4,1", "iPhone 4s"},
    {"iPhone5,1", "iPhone 5"},
    {"iPhone5,2", "iPhone 5"},
    {"iPhone5,3", "iPhone 5c"},
    {"iPhone5,4", "iPhone 5c"},
    {"iPhone6,1", "iPhone 5s"},
    {"iPhone6,2", "iPhone 5s"},
    {"iPhone7,2", "iPhone 6"},
    {"iPhone7,1", "iPhone 6 Plus"},
    {"iPhone8,1", "iPhone 6s"},
    {"iPhone8,2", "iPhone 6s Plus"},
    {"iPhone8,4", "iPhone SE"},
    {"iPhone9,1", "iPhone 7"},
    {"iPhone9,3", "iPhone 7"},
    {"iPhone9,2", "iPhone 7 Plus"},
    {"iPhone9,4", "iPhone 7 Plus"},
    {"iPhone10,1", "iPhone 8"},
    {"iPhone10,4", "iPhone 8"},
    {"iPhone10,2", "iPhone 8 Plus"},
    {"iPhone10,5", "iPhone 8 Plus"},
    {"iPhone10,3", "iPhone X"},
    {"iPhone10,6", "iPhone X"},
    {"iPad2,1", "iPad 2"},
    {"iPad2,2", "iPad 2"},
    {"iPad2,3", "iPad 2"},
    {"iPad2,4", "iPad 2"},
    {"iPad3,1", "iPad 3"},
    {"iPad3,2", "iPad 3"},
    {"iPad3,3", "iPad 3"},
    {"iPad3,4", "iPad 4"},
    {"iPad3,5", "iPad 4"},
    {"iPad3,6", "iPad 4"},
    {"iPad4,1", "iPad Air"},
    {"iPad4,2", "iPad Air"},
    {"iPad4,3", "iPad Air"},
    {"iPad5,3", "iPad Air 2"},
    {"iPad5,4", "iPad Air 2"},
    {"iPad6,11", "iPad 5"},
    {"iPad6,12", "iPad 5"},
    {"iPad2,5", "iPad Mini"},
    {"iPad2,6", "iPad Mini"},
    {"iPad2,7", "iPad Mini"},
    {"iPad4,4", "iPad Mini 2"},
    {"iPad4,5", "iPad Mini 2"},
    {"iPad4,6", "iPad Mini 2"},
    {"iPad4,7", "iPad Mini 3"},
    {"iPad4,8", "iPad Mini 3"},
    {"iPad4,9", "iPad Mini 3"},
    {"iPad5,1", "iPad Mini 4"},
    {"iPad5,2", "iPad Mini 4"},
    {"iPad6,3", "iPad Pro 9.7 Inch"},
    {"iPad6,4", "iPad Pro 9.7 Inch"},
    {"iPad6,7", "iPad Pro 12.9 Inch"},
    {"iPad6,8", "iPad Pro 12.9 Inch"},
    {"iPad7,1", "iPad Pro 12.9 Inch 2. Generation"},
    {"iPad7,2", "iPad Pro 12.9 Inch 2. Generation"},
    {"iPad7,3", "iPad Pro 10.5 Inch"},
    {"iPad7,4", "iPad Pro 10.5 Inch"},
    {"AppleTV5,3", "Apple TV"},
    {"i386", "Simulator"},
    {"x86_64", "Simulator"},
}};

std::string moduleText(std::optional<std::string> (PubAppModule::*member)() const) {
  const auto module = VelkorInternal::shared().pubAppModule();
  if (!module) return {};
  return ((*module).*member)().value_or("");
}

// What both tables carry, read once per table so that its keys agree with each other.
struct Facts {
  std::string deviceId;
  std::string moduleVer = moduleText(&PubAppModule::version);
  std::string moduleName = moduleText(&PubAppModule::name);
  std::string uid = UserProfile::uid().value_or("");
  std::string appId = VelkorInternal::shared().appId();
  std::string idfa;
  std::string isLat;

  Facts() : deviceId(VelkorParameters::deviceId()) {
    const bool tracking = VelkorParameters::isTrackingEnabled();
    // The advertising identifier is read only when it may be sent.
    idfa = tracking ? privacy::AdvertisingId::advertisingIdentifier() : deviceId;
    isLat = tracking ? "0" : "1";
  }
};

constexpr const char* kKey = "KEY";

}  // namespace

std::string VelkorParameters::osVer() {
  auto& state = osVerState();
  std::lock_guard lock(state.mutex);
  if (!state.value) state.value = ui::Device::current().systemVersion;
  return *state.value;
}

void VelkorParameters::setOsVerForTesting(std::string osVer) {
  auto& state = osVerState();
  std::lock_guard lock(state.mutex);
  state.value = std::move(osVer);
}

std::string VelkorParameters::sdkVer() { return kSdkVersion; }

std::string VelkorParameters::appVer() {
  const auto entry = base::Bundle::main().object("CFBundleShortVersionString");
  if (!entry || !entry->is_string()) return {};
  return entry->get<std::string>();
}

std::string VelkorParameters::os() {
  static const std::string name = ui::Device::current().systemName;
  return name;
}

std::string VelkorParameters::model() {
  static const std::string name = modelName(ui::Device::current().machine);
  return name;
}

std::string VelkorParameters::modelName(std::string_view machine) {
  for (const auto& [identifier, name] : kModels) {
    if (identifier == machine) return std::string(name);
  }
  return std::string(machine);
}

std::string VelkorParameters::packageName() {
  return base::Bundle::main().bundleIdentifier().value_or("");
}

std::string VelkorParameters::deviceId() {
  // Read, make and store in one step: two first readers must not each store an id of their own
  // and send different ids for the same installation.
  static auto* mutex = new std::mutex;
  std::lock_guard lock(*mutex);
  const auto defaults = base::Defaults::standard();
  if (auto stored = defaults->string(PreferenceManager::kDeviceIdKey)) return *stored;
  auto made = base::Uuid().uuidString();
  defaults->setString(PreferenceManager::kDeviceIdKey, made);
  return made;
}

bool VelkorParameters::isTrackingEnabled() {
  const Version os(osVer());
  const auto status = privacy::Tracking::status();
  if (os.compare(Version("14.5")) >= 0) return status == privacy::TrackingStatus::Authorized;
  if (os.compare(Version("14.0")) >= 0) {
    if (status == privacy::TrackingStatus::NotDetermined) {
      return privacy::AdvertisingId::advertisingIdentifier() != privacy::AdvertisingId::kZero;
    }
    return status == privacy::TrackingStatus::Authorized;
  }
  return privacy::AdvertisingId::isAdvertisingTrackingEnabled();
}

VelkorParameters::Parameters VelkorParameters::commonParameters() {
  const Facts facts;
  return {
      {"os_ver", osVer()},
      {"app_ver", appVer()},
      {"package_name", packageName()},
      {"sdk_ver", sdkVer()},
      {"pub_app_module_ver", facts.moduleVer},
      {"pub_app_module_name", facts.moduleName},
      {"uid", facts.uid},
      {"app_id", facts.appId},
      {"pub_app_id", facts.appId},
      {"pub_app_key", facts.appId},
      {"device_model", model()},
      {"device_id", facts.deviceId},
      {"idfa", facts.idfa},
      {"is_lat", facts.isLat},
      {"enable_testing", VelkorInternal::shared().isTester() ? "1" : "0"},
      {"key", kKey},
      {"tracking_id", trackingId()},
  };
}

VelkorParameters::Parameters VelkorParameters::webPageParameters() {
  const Facts facts;
  return {
      {"{OS_VER}", osVer()},
      {"{APP_VER}", appVer()},
      {"{PUB_APP_MODULE_VER}", facts.moduleVer},
      {"{PUB_APP_MODULE_NAME}", facts.moduleName},
      {"{PACKAGE_NAME}", packageName()},
      {"{SDK_VER}", sdkVer()},
      {"{UID}", facts.uid},
      {"{APP_ID}", facts.appId},
      {"{DEVICE_MODEL}", model()},
      {"{IDFA}", facts.idfa},
      {"{IS_LAT}", facts.isLat},
      {"{KEY}", kKey},
  };
}

void VelkorParameters::setTrackingIdSource(std::function<std::string()> source) {
  std::lock_guard lock(trackingIdSource().mutex);
  trackingIdSource().source = std::move(source);
}

}  // namespace velkor
