#include "velkor/core/velkor_internal.h"

#include "platform/base/defaults.h"
#include "platform/base/log.h"
#include "platform/ui/application.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/components/velkor_transition_manager.h"
#include "velkor/core/ofw_life_cycle_delegate.h"
#include "velkor/core/ofw_login_delegate.h"
#include "velkor/core/placement_ad_loader.h"
#include "velkor/core/preference_manager.h"
#include "velkor/core/pub_app_module.h"
#include "velkor/core/dependency_container.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_uri_parser.h"
#include "velkor/web/inventory_group_ads.h"
#include "velkor/web/ofw_in_app_browser_view_controller.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_offerwall_delegate.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/constants.h"
#include "velkor/network/tracking_repository_impl.h"
#include "velkor/network/velkor_api_client.h"

namespace velkor {
namespace {

using Key = PreferenceManager::Key;

constexpr std::int64_t kTrackingBufferCapacity = 50;

const char* key(Key k) { return PreferenceManager::keyText(k); }

// The stored reward total belonged to the user as they were; it is fetched again.
void forgetRewardTotal() {
  const auto defaults = base::Defaults::standard();
  defaults->removeObject(key(Key::toolTipExpiredAt));
  defaults->removeObject(key(Key::totalValidReward));
}

}  // namespace

VelkorInternal& VelkorInternal::shared() {
  static VelkorInternal* instance = new VelkorInternal();
  return *instance;
}

VelkorInternal::VelkorInternal()
    : config_(std::make_shared<VelkorConfig>()),
      colorScheme_(std::make_shared<VelkorColorScheme>()),
      dimension_(std::make_shared<VelkorDimension>()),
      session_(std::make_shared<VelkorSession>()),
      repository_(std::make_shared<AdRepository>(std::make_shared<MemoryCacheAdDataSource>(),
                                                 std::make_shared<CSServerAdDataSource>())),
      trackingRepository_(std::make_shared<TrackingRepositoryImpl>()),
      internalDispatchQueue_(dispatch::Queue::serial("co.velkor.offerwall")),
      transitionManager_(std::make_shared<VelkorTransitionManager>()),
      atomicVisibleItemsQueue_(dispatch::Queue::serial("co.velkor.offerwall.atomic.visibleItems")),
      inventoryDispatchQueue_(dispatch::Queue::concurrent("co.velkor.offerwall.loadPlacementAds")) {
  restoreStoredUid();
  VelkorUriParser::setInAppBrowserFactory([](const std::string& url, const std::string& title) {
    return std::shared_ptr<ui::ViewController>(DependencyContainer().makeInAppBrowserViewController(url, title));
  });
  backgroundObservation_ = base::NotificationCenter::defaultCenter().addObserver(
      ui::Application::kDidEnterBackgroundNotification, [this](const base::Notification&) { appMovedToBackground(); });
}

void VelkorInternal::restoreStoredUid() {
  auto stored = base::Defaults::standard()->object(key(Key::totalValidRewardUser));
  if (stored && stored->is_string()) UserProfile::setUid(stored->get<std::string>());
}

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

void VelkorInternal::configureTracking() {
  trackingRepository_->configure(kTrackingBufferCapacity, debugEnabled(), Constants::lumberjackURL());
}

std::shared_ptr<VelkorOfferwallDelegate> VelkorInternal::delegate() const {
  std::lock_guard guard(mutex_);
  return delegate_.lock();
}

void VelkorInternal::setDelegate(std::weak_ptr<VelkorOfferwallDelegate> delegate) {
  std::lock_guard guard(mutex_);
  delegate_ = std::move(delegate);
}

std::shared_ptr<OfwLoginDelegate> VelkorInternal::loginDelegate() const {
  std::lock_guard guard(mutex_);
  return loginDelegate_.lock();
}

void VelkorInternal::setLoginDelegate(std::weak_ptr<OfwLoginDelegate> delegate) {
  std::lock_guard guard(mutex_);
  loginDelegate_ = std::move(delegate);
}

std::shared_ptr<OfwLifeCycleDelegate> VelkorInternal::lifeCycleDelegate() const {
  std::lock_guard guard(mutex_);
  return lifeCycleDelegate_.lock();
}

void VelkorInternal::setLifeCycleDelegate(std::weak_ptr<OfwLifeCycleDelegate> delegate) {
  std::lock_guard guard(mutex_);
  lifeCycleDelegate_ = std::move(delegate);
}

void VelkorInternal::updateUid(std::optional<std::string> uid) {
  {
    std::lock_guard guard(uidMutex_);
    if (UserProfile::uid() == uid) return;
    UserProfile::setUid(uid);
  }
  setGender(rawValue(Gender::unknown));
  setBirthYear(UserInfo::kUnknownBirthYear);
  repository_->setCacheIsDirty(true);
  repository_->setPlacementCacheIsDirty(true);
  PreferenceManager::shared().clear();
  const auto defaults = base::Defaults::standard();
  if (!uid) {
    defaults->removeObject(key(Key::totalValidRewardUser));
    defaults->removeObject(key(Key::agreedUid));
    return;
  }
  defaults->setString(key(Key::totalValidRewardUser), *uid);
  if (auto login = loginDelegate()) login->success();
  checkTermsAgreement();
}

void VelkorInternal::setGender(int gender) {
  if (!userInfo_.setGender(gender)) return;
  forgetRewardTotal();
  base::Defaults::standard()->setInteger(key(Key::gender), gender);
}

void VelkorInternal::setBirthYear(int birthYear) {
  if (!userInfo_.setBirthYear(birthYear)) return;
  forgetRewardTotal();
  base::Defaults::standard()->setInteger(key(Key::birthYear), birthYear);
}

void VelkorInternal::checkTermsAgreement() {
  if (!config()->enableLoggingTerms()) return;
  const auto uid = UserProfile::uid();
  const auto agreed = base::Defaults::standard()->string(key(Key::agreedUid)).value_or("");
  if (!uid || *uid == agreed) return;
  VelkorApiClient::agreement(
      [uid = *uid](std::string) { base::Defaults::standard()->setString(key(Key::agreedUid), uid); },
      // Nothing stored: the next check asks again.
      [](Error error) { base::console("Error: " + error.description()); });
}

void VelkorInternal::appMovedToBackground() {
  trackingRepository_->flush();
  repository_->setCacheIsDirty(true);
  repository_->setPlacementCacheIsDirty(true);
  InventoryGroups::shared()->clear();
  InventoryGroupAds::shared().clear();
  sendImpressions();
}

}  // namespace velkor
