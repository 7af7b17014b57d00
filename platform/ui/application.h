// The running app as the SDK sees it: the moves to the background and back, which the host reports
// and the SDK observes as notifications; the network activity indicator; and opening URLs, which
// only the host can do. One instance, safe to use from any thread.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>

#include "platform/base/url.h"

namespace ui {

class Application {
 public:
  // Posted on base::NotificationCenter::defaultCenter(), on the main thread.
  static constexpr const char* kDidEnterBackgroundNotification = "ApplicationDidEnterBackgroundNotification";
  static constexpr const char* kWillEnterForegroundNotification = "ApplicationWillEnterForegroundNotification";

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

 private:
  Application() = default;
  OpenUrlHandler openUrlHandler() const;

  std::atomic<bool> networkActivityIndicatorVisible_{false};
  mutable std::mutex mutex_;
  OpenUrlHandler openUrlHandler_;
};

}  // namespace ui
