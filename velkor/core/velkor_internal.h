// The core object behind the facade: one per process, created on first use and never destroyed.
// It owns the long-lived state every subsystem reads (configuration and theme so far).
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "platform/ui/trait_collection.h"
#include "velkor/core/user_info.h"

namespace velkor {

class VelkorConfig;
class VelkorColorScheme;
class VelkorDimension;
class VelkorSession;
class PubAppModule;

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

 private:
  VelkorInternal();

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
};

}  // namespace velkor
