// The running app as the SDK sees it: the moves to the background and back, which the host reports
// and the SDK observes as notifications; the network activity indicator; opening URLs, which only
// the host can do; background tasks, which the host (or a test) expires; the key window and the
// status bar's frame. One instance, safe to use from any thread (the key window: main thread only,
// like every window).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/base/url.h"
#include "platform/ui/geometry.h"

namespace ui {

class Window;

using BackgroundTaskIdentifier = std::uint64_t;
inline constexpr BackgroundTaskIdentifier kInvalidBackgroundTask = 0;

class Application {
 public:
  // Posted on base::NotificationCenter::defaultCenter(), on the main thread.
  static constexpr const char* kDidEnterBackgroundNotification = "ApplicationDidEnterBackgroundNotification";
  static constexpr const char* kWillEnterForegroundNotification = "ApplicationWillEnterForegroundNotification";

  // The URL that opens the app's own page in the system settings; the host's URL handler gets it.
  static constexpr const char* kOpenSettingsURLString = "app-settings:";

  // Opens a URL; true when it was opened. Runs on the main thread.
  using OpenUrlHandler = std::function<bool(const base::Url&)>;

  static Application& shared();

  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The host reports the app's moves. On the main thread the observers have run when the call
  // returns; from another thread the post is queued on the main queue.
  void enterBackground();
  void enterForeground();

  bool isNetworkActivityIndicatorVisible() const { return networkActivityIndicatorVisible_.load(); }
  void setNetworkActivityIndicatorVisible(bool visible) { networkActivityIndicatorVisible_.store(visible); }

  // Installs the host's way of opening URLs (or removes it with an empty handler).
  void setOpenUrlHandler(OpenUrlHandler handler);
  // Asks the host's handler, on the main queue, to open the URL, then calls the completion there
  // with its answer: false without a handler or when the handler throws. Never calls back on the
  // caller's stack.
  void open(const base::Url& url, std::function<void(bool)> completion = nullptr);
  // Whether the app can hand URLs on at all: true once the host installed a handler.
  bool canOpenURL(const base::Url& url) const;

  // --- windows; main thread only ---
  // The window made key last (Window::makeKeyAndVisible), while it exists.
  std::shared_ptr<Window> keyWindow() const;
  // The status bar's area: the top of the main screen down to its top safe-area inset.
  Rect statusBarFrame() const;

  // --- background tasks ---
  // Starts a task the app wants to finish if it moves to the background. The expiration handler
  // (which may be empty) runs on the main thread when the host expires the task; it should end
  // the task. Returns the task's identifier, never kInvalidBackgroundTask.
  BackgroundTaskIdentifier beginBackgroundTask(std::function<void()> expirationHandler);
  BackgroundTaskIdentifier beginBackgroundTask(std::string name, std::function<void()> expirationHandler);
  // Ends a running task; an unknown, ended or invalid identifier is ignored (and logged).
  void endBackgroundTask(BackgroundTaskIdentifier identifier);
  // The host (or a test) says the app's background time is up: every running task's expiration
  // handler runs once, on the main thread, in the order the tasks began. A task its handler left
  // running is ended for it (and logged), so none outlives its expiry. Called on the main thread,
  // the handlers have run when it returns; from another thread they are queued on the main queue.
  void expireBackgroundTasks();
  // How many tasks are running.
  std::size_t backgroundTaskCount() const;
  bool isBackgroundTaskRunning(BackgroundTaskIdentifier identifier) const;

 private:
  struct BackgroundTask {
    std::string name;
    std::shared_ptr<std::function<void()>> expirationHandler;
  };

  Application() = default;
  OpenUrlHandler openUrlHandler() const;
  void expireOnMain();

  std::atomic<bool> networkActivityIndicatorVisible_{false};
  mutable std::mutex mutex_;
  OpenUrlHandler openUrlHandler_;
  // Guarded by mutex_.
  std::map<BackgroundTaskIdentifier, BackgroundTask> backgroundTasks_;
  BackgroundTaskIdentifier nextBackgroundTask_ = 1;
};

}  // namespace ui
