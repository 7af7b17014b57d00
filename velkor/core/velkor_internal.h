// The core object behind the facade: one per process, created on first use and never destroyed.
// It owns the long-lived state every subsystem reads: configuration, theme, the repositories, the
// session, the user and the host's delegates. At start it restores the stored user id and starts
// observing the app's move to the background.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/base/notification_center.h"
#include "platform/dispatch/queue.h"
#include "platform/dispatch/semaphore.h"
#include "platform/ui/gesture_recognizer.h"
#include "platform/ui/navigation_controller.h"
#include "platform/ui/trait_collection.h"
#include "velkor/core/native_ad_loader.h"
#include "velkor/core/request_options.h"
#include "velkor/core/user_info.h"

namespace velkor {

class VelkorConfig;
class VelkorColorScheme;
class VelkorDimension;
class VelkorSession;
class PubAppModule;
class AdRepository;
class TrackingRepository;
class VelkorOfferwallDelegate;
class OfwLoginDelegate;
class OfwLifeCycleDelegate;
class VelkorTransitionManager;
class NativeAd;

class VelkorInternal {
 public:
  static VelkorInternal& shared();

  VelkorInternal(const VelkorInternal&) = delete;
  VelkorInternal& operator=(const VelkorInternal&) = delete;

  // The host may replace each of these through the facade; readers fetch them on every use, and
  // one who keeps the pointer keeps the object it got alive. Never null.
  std::shared_ptr<VelkorConfig> config() const;
  void setConfig(std::shared_ptr<VelkorConfig> config);
  std::shared_ptr<VelkorColorScheme> colorScheme() const;
  void setColorScheme(std::shared_ptr<VelkorColorScheme> colorScheme);
  std::shared_ptr<VelkorDimension> dimension() const;
  void setDimension(std::shared_ptr<VelkorDimension> dimension);

  // The test-device flag: set by the host on main, read by the core's loaders (ads shown only to
  // testers). False at start.
  bool isTester() const { return isTester_.load(); }
  void setIsTester(bool isTester) { isTester_.store(isTester); }

  // The user's facts; one object for the whole process, safe to use from any thread.
  UserInfo& userInfo() { return userInfo_; }

  // The host's app id, given at initialisation; empty until then.
  std::string appId() const;
  void setAppId(std::string appId);

  // The debug flag: tracking debug output and the information dump. False at start.
  bool debugEnabled() const { return debugEnabled_.load(); }
  void setDebugEnabled(bool debugEnabled) { debugEnabled_.store(debugEnabled); }

  // The publisher's module, or null for the SDK's defaults. Read at each use.
  std::shared_ptr<PubAppModule> pubAppModule() const;
  void setPubAppModule(std::shared_ptr<PubAppModule> module);

  // The ids of the current visit; each presentation replaces it. Never null.
  std::shared_ptr<VelkorSession> session() const;
  void setSession(std::shared_ptr<VelkorSession> session);

  // The style forced on the SDK's screens; light at start.
  ui::UserInterfaceStyle userInterfaceStyle() const { return userInterfaceStyle_.load(); }
  void setUserInterfaceStyle(ui::UserInterfaceStyle style) { userInterfaceStyle_.store(style); }

  // The one ad repository and the one tracking repository, built with the core and never replaced.
  const std::shared_ptr<AdRepository>& repository() const { return repository_; }
  const std::shared_ptr<TrackingRepository>& trackingRepository() const { return trackingRepository_; }
  // Points the tracking repository at the current stage's log address, with a buffer of 50 events
  // and the debug flag; at initialisation and at every stage change.
  void configureTracking();

  // Native ad loading runs on the serial queue, one load at a time through its semaphore; placement
  // loading on the concurrent queue with its own semaphore; the impressions of native ads are
  // guarded by their serial queue.
  const std::shared_ptr<dispatch::Queue>& internalDispatchQueue() const { return internalDispatchQueue_; }
  dispatch::Semaphore internalSemaphore() const { return internalSemaphore_; }
  const std::shared_ptr<dispatch::Queue>& atomicVisibleItemsQueue() const { return atomicVisibleItemsQueue_; }
  const std::shared_ptr<dispatch::Queue>& inventoryDispatchQueue() const { return inventoryDispatchQueue_; }
  dispatch::Semaphore inventorySemaphore() const { return inventorySemaphore_; }

  // The host's delegates, held weakly: null once the host let them go.
  std::shared_ptr<VelkorOfferwallDelegate> delegate() const;
  void setDelegate(std::weak_ptr<VelkorOfferwallDelegate> delegate);
  std::shared_ptr<OfwLoginDelegate> loginDelegate() const;
  void setLoginDelegate(std::weak_ptr<OfwLoginDelegate> delegate);
  std::shared_ptr<OfwLifeCycleDelegate> lifeCycleDelegate() const;
  void setLifeCycleDelegate(std::weak_ptr<OfwLifeCycleDelegate> delegate);

  // The transitioning delegate of push-style presentations, one for the process. Main thread only,
  // like the presentations that use it.
  const std::shared_ptr<VelkorTransitionManager>& transitionManager() const { return transitionManager_; }

  // A new user id (none: logged out). Nothing happens when it equals the current one; otherwise the
  // gender and birth year go back to unknown, the caches are marked dirty, the previous user's
  // preferences are cleared, and a new id is stored, told to the login delegate and checked for the
  // terms agreement, while no id also forgets the stored and the agreed one.
  void updateUid(std::optional<std::string> uid);
  // A changed value is stored under "gender" / "birth_year" and makes the reward total be fetched
  // again; the same value changes nothing.
  void setGender(int gender);
  void setBirthYear(int birthYear);
  // With enableLoggingTerms on, sends the terms agreement for the current uid unless that uid agreed
  // already; the uid is stored as agreed once the server accepted it.
  void checkTermsAgreement();
  // The background handler: flushes the usage events and marks the ad and placement caches dirty,
  // so the next loads go to the server; then forgets the inventory groups and sends the impressions
  // of the native ads handed out.
  void appMovedToBackground();

  // Native ads for the host's own layouts (native_ad_loader.h, placement_ad_loader.h), one load at a
  // time on the queues above; the facade caps the sizes.
  void loadAds(std::int64_t size, std::optional<RequestOptions> options, OnNativeAds onSuccess, OnError onFail);
  void loadAllAds(std::int64_t page, std::int64_t size, std::optional<RequestOptions> options,
                  OnNativeAdPage onSuccess, OnError onFail);
  void loadPlacementAds(std::string placementSlug, std::int64_t size, std::optional<RequestOptions> options,
                        OnNativeAds onSuccess, OnError onFail);
  // The impressions of native ads handed out (native_ad_impressions.h); sent on the move to the
  // background.
  void recordVisibleItem(const std::optional<std::string>& inventory, std::int64_t adId);
  void sendImpressions();

  // --- the offerwall's screens (velkor_internal_presentation.cc); main thread, and a call from
  // another thread moves there first ---
  // Starts a new visit and presents, from `from`, the pager, an ad's detail or both (keepParent),
  // or the alert that the ad cannot be taken part in. The completion runs exactly once: when what
  // was presented is on screen, or at once when nothing is.
  void presentOfferwall(std::shared_ptr<ui::ViewController> from, std::optional<std::int64_t> adId, bool keepParent,
                        std::optional<std::string> tabSlug, std::optional<std::string> tagSlug, bool animated,
                        std::function<void()> completion);
  // Closes the offerwall presented last, telling its life-cycle delegate nothing: the completion
  // hears true before the dismissal starts, false when there is no offerwall to close.
  void dismissOfferwall(bool animated, std::function<void(bool)> completion);
  // The help page, at the module's support address or the stage's.
  void showHelp(std::shared_ptr<ui::ViewController> from);
  // A tap on the view opens the ad's detail from the topmost screen. From any thread: the tap
  // recogniser is attached on the main queue; each call adds one.
  void registerNativeAd(std::shared_ptr<NativeAd> ad, std::shared_ptr<ui::View> view);
  void tapNativeAd(ui::GestureRecognizer& gesture);
  // The offerwall's navigation controller presented last, while it exists (held weakly).
  std::shared_ptr<ui::NavigationController> navigationController() const;
  void setNavigationController(const std::shared_ptr<ui::NavigationController>& navigationController);
  // After an opt-out: a one-screen offerwall is dismissed, a deeper one pops its top screen.
  void closeTopScreen();

 private:
  VelkorInternal();
  void restoreStoredUid();

  // Guards the replaceable members: the host may swap them while a loader thread reads one.
  mutable std::mutex mutex_;
  std::shared_ptr<VelkorConfig> config_;
  std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::shared_ptr<VelkorDimension> dimension_;
  std::atomic<bool> isTester_{false};
  UserInfo userInfo_;
  std::string appId_;
  std::atomic<bool> debugEnabled_{false};
  std::shared_ptr<PubAppModule> pubAppModule_;
  std::shared_ptr<VelkorSession> session_;
  std::atomic<ui::UserInterfaceStyle> userInterfaceStyle_{ui::UserInterfaceStyle::light};

  const std::shared_ptr<AdRepository> repository_;
  const std::shared_ptr<TrackingRepository> trackingRepository_;
  const std::shared_ptr<dispatch::Queue> internalDispatchQueue_;
  const dispatch::Semaphore internalSemaphore_{1};
  std::weak_ptr<VelkorOfferwallDelegate> delegate_;
  std::weak_ptr<OfwLoginDelegate> loginDelegate_;
  std::weak_ptr<OfwLifeCycleDelegate> lifeCycleDelegate_;
  const std::shared_ptr<VelkorTransitionManager> transitionManager_;
  const std::shared_ptr<dispatch::Queue> atomicVisibleItemsQueue_;
  const dispatch::Semaphore inventorySemaphore_{1};
  const std::shared_ptr<dispatch::Queue> inventoryDispatchQueue_;
  // Makes comparing and replacing the uid one step, so one new id is acted on once.
  std::mutex uidMutex_;
  base::NotificationCenter::Token backgroundObservation_;
  std::weak_ptr<ui::NavigationController> navigationController_;
};

}  // namespace velkor
