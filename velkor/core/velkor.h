// The SDK's one entry for a host app: Velkor::shared() keeps the server stage and forwards the rest
// to the core (VelkorInternal). Members are virtual so that a host may override them; setServer()
// goes through the overridable stage setter.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/trait_collection.h"
#include "velkor/core/class_of.h"
#include "velkor/core/gender.h"
#include "velkor/core/native_ad_loader.h"
#include "velkor/core/request_options.h"

namespace ui {
class NibRegistry;
class View;
class ViewController;
}  // namespace ui

namespace velkor {

class VelkorInternal;
class VelkorConfig;
class VelkorColorScheme;
class VelkorDimension;
class PubAppModule;
class TrackingRepository;
class VelkorOfferwallDelegate;
class OfwLoginDelegate;
class OfwLifeCycleDelegate;
class OfwListPagerView;
class NativeAd;

// The servers requests go to: 0 mock, 1 development, 2 staging, 3 production.
enum class Stage : int { mock = 0, dev = 1, stg = 2, production = 3 };

// None for a raw value outside 0...3.
std::optional<Stage> stageFromRawValue(int rawValue);

class Velkor {
 public:
  // Made on first use; starts on the production stage, and its stage is the one every address is
  // read for.
  static Velkor& shared();

  // A further facade shares the one core but keeps a stage of its own, which nothing reads.
  Velkor();
  virtual ~Velkor() = default;
  Velkor(const Velkor&) = delete;
  Velkor& operator=(const Velkor&) = delete;

  virtual Stage stage() const { return stage_.load(); }
  // Stores the stage, rebuilds every route of both REST clients for it and points tracking at its
  // log address, even when the stage is the current one.
  virtual void setStage(Stage stage);
  virtual void setServer(Stage stage) { setStage(stage); }

  // Stores the app id, fetches the tag catalogue when none is stored, and configures tracking. Sends
  // no ad request. May be called again.
  virtual void initialize(std::string appId);
  virtual void isTester(bool isTester);
  // The core's tester flag, the one isTester() writes: a tester also sees the test-only ads.
  virtual bool isTestDevice() const;
  virtual void setIsTestDevice(bool isTestDevice);

  virtual bool debugEnable() const;
  virtual void setDebugEnable(bool enable);

  // Held weakly: the host keeps its delegates alive.
  virtual std::shared_ptr<VelkorOfferwallDelegate> delegate() const;
  virtual void setDelegate(std::weak_ptr<VelkorOfferwallDelegate> delegate);
  virtual std::shared_ptr<OfwLifeCycleDelegate> lifeCycleDelegate() const;
  virtual void setLifeCycleDelegate(std::weak_ptr<OfwLifeCycleDelegate> delegate);
  virtual std::shared_ptr<OfwLoginDelegate> loginDelegate() const;
  virtual void setLoginDelegate(std::weak_ptr<OfwLoginDelegate> delegate);

  virtual std::optional<std::string> uid() const;
  virtual void setUid(std::optional<std::string> uid);
  // A Gender raw value; the host may pass any integer.
  virtual int gender() const;
  virtual void setGender(int gender);
  // 1800 stands for an unknown year.
  virtual int birthYear() const;
  virtual void setBirthYear(int birthYear);

  // "3.9.6".
  virtual std::string sdkVer() const;

  // The style forced on the SDK's screens; light by default.
  virtual ui::UserInterfaceStyle overrideUserInterfaceStyle() const;
  virtual void setOverrideUserInterfaceStyle(ui::UserInterfaceStyle style);

  // Kept in the user defaults ("VELKOR_TUTORIAL_SHOWN"), so it survives restarts.
  virtual bool isTutorialShown() const;
  virtual void setIsTutorialShown(bool shown);

  // Each setter replaces the object (a null one is ignored).
  virtual std::shared_ptr<VelkorConfig> config() const;
  virtual void setConfig(std::shared_ptr<VelkorConfig> config);
  virtual std::shared_ptr<VelkorColorScheme> colorScheme() const;
  virtual void setColorScheme(std::shared_ptr<VelkorColorScheme> colorScheme);
  virtual std::shared_ptr<VelkorDimension> dimension() const;
  virtual void setDimension(std::shared_ptr<VelkorDimension> dimension);

  virtual std::shared_ptr<TrackingRepository> trackingRepository() const;

  virtual std::shared_ptr<PubAppModule> pubAppModule() const;
  virtual void setPubAppModule(std::shared_ptr<PubAppModule> module);

  // The framework's own bundle, the one the SDK's screens load their nibs from, with those nibs in it.
  virtual const ui::NibRegistry& getBundle() const;

  // Seconds since 1970 on the server's clock: the device's time plus the gap the last ad list told
  // ("server_time_gap", 0 when none is stored).
  virtual double getServerTime() const;

  // --- the offerwall's screens; from any thread (the work moves to the main thread) ---
  // The offerwall's pager, from `from`: opened on the tab and tag given ("all" for none), or on an
  // ad's detail (with the pager under it when keepParent). With push animation set it slides in and
  // is animated whatever `animated` says. The completion runs exactly once.
  virtual void presentOfferwall(std::shared_ptr<ui::ViewController> from);
  virtual void presentOfferwall(std::shared_ptr<ui::ViewController> from, std::optional<std::int64_t> adId,
                                bool keepParent);
  virtual void presentOfferwall(std::shared_ptr<ui::ViewController> from, std::optional<std::string> tabSlug,
                                std::optional<std::string> tagSlug);
  virtual void presentOfferwall(std::shared_ptr<ui::ViewController> from, std::optional<std::int64_t> adId,
                                bool keepParent, std::optional<std::string> tabSlug,
                                std::optional<std::string> tagSlug, bool animated,
                                std::function<void()> completion);
  // Closes the offerwall presented last without telling the life-cycle delegate: the completion hears
  // true at once and the dismissal follows; false when no offerwall is there to close.
  virtual void dismissOfferwall(bool animated, std::function<void(bool)> completion);
  // The help page over `from`.
  virtual void showHelp(std::shared_ptr<ui::ViewController> from);
  // The pager screen for the host to embed itself; empty while no class makes one.
  virtual ScreenOf<OfwListPagerView> makeOfwListLayoutView();
  // A tap on the view opens the ad's detail in the offerwall. Each call adds one tap recogniser; a
  // view that takes no touches gets no taps.
  virtual void registerNativeAd(std::shared_ptr<NativeAd> ad, std::shared_ptr<ui::View> view);

  // --- ads for the host's own layouts, and actions on ads without the SDK's screens ---
  // Every answer comes on the main queue, exactly once.
  // At most 5 ads of the current list (a larger size asks for 5, a negative one for none), narrowed by
  // the options' tags and stamped with their inventory.
  virtual void loadAds(std::int64_t size, std::optional<RequestOptions> options, OnNativeAds onSuccess,
                       OnError onFail);
  // Page `page` (from 1) of pages of `size` ads (1 to 20), with the page and the number of pages.
  virtual void loadAllAds(std::int64_t page, std::int64_t size, std::optional<RequestOptions> options,
                          OnNativeAdPage onSuccess, OnError onFail);
  // At most 5 ads of the placement with that slug, highest priority first (placement_ad_loader.h).
  virtual void loadPlacementAds(std::string placementSlug, std::int64_t size, std::optional<RequestOptions> options,
                                OnNativeAds onSuccess, OnError onFail);
  // Takes part in the ad; the host's URL handler is asked to open the landing (host_ad_actions.h).
  virtual void participate(std::int64_t adId, std::function<void(std::string)> onSuccess, OnError onError);
  // Opts the user out of the ad; once accepted, the offerwall's top screen closes (a one-screen
  // offerwall is dismissed). Nothing is reported.
  virtual void optout(std::int64_t adId);
  // The user's total reward still to earn (-1 when it could not be read).
  virtual void getCurrentReward(std::function<void(std::int64_t)> completion);
  // The same, read through getCurrentReward, with two texts that are always absent.
  virtual void availableReward(
      std::function<void(std::optional<std::string>, std::optional<std::string>, std::int64_t)> completion);

 private:
  std::atomic<Stage> stage_{Stage::production};
  VelkorInternal& internalShared_;
};

}  // namespace velkor
