#include "platform/ui/application.h"

#include <exception>
#include <string>

#include "platform/base/log.h"
#include "platform/base/notification_center.h"
#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"
#include "platform/ui/screen.h"
#include "platform/ui/window.h"

namespace ui {
namespace {

// A host's or SDK's handler must not take the app down with it.
void runGuarded(const std::function<void()>& handler, const char* what) {
  try {
    handler();
  } catch (const std::exception& error) {
    base::logError(std::string(what) + " failed: " + error.what());
  } catch (...) {
    base::logError(std::string(what) + " failed");
  }
}

void postOnMain(const char* name) {
  if (dispatch::main_loop::isMainThread()) {
    base::NotificationCenter::defaultCenter().post(name);
    return;
  }
  dispatch::main()->async([name] { base::NotificationCenter::defaultCenter().post(name); });
}

}  // namespace

Application& Application::shared() {
  static auto* instance = new Application;
  return *instance;
}

void Application::enterBackground() { postOnMain(kDidEnterBackgroundNotification); }

void Application::enterForeground() { postOnMain(kWillEnterForegroundNotification); }

void Application::setOpenUrlHandler(OpenUrlHandler handler) {
  std::lock_guard lock(mutex_);
  openUrlHandler_ = std::move(handler);
}

Application::OpenUrlHandler Application::openUrlHandler() const {
  std::lock_guard lock(mutex_);
  return openUrlHandler_;
}

void Application::open(const base::Url& url, std::function<void(bool)> completion) {
  dispatch::main()->async([this, url, completion = std::move(completion)] {
    bool opened = false;
    if (const auto handler = openUrlHandler()) {
      try {
        opened = handler(url);
      } catch (const std::exception& error) {
        base::logError(std::string("The host's URL handler failed: ") + error.what());
      } catch (...) {
        base::logError("The host's URL handler failed");
      }
    }
    if (completion) completion(opened);
  });
}

bool Application::canOpenURL(const base::Url&) const { return static_cast<bool>(openUrlHandler()); }

std::shared_ptr<Window> Application::keyWindow() const { return Window::keyWindow(); }

Rect Application::statusBarFrame() const {
  const Screen screen = Screen::main();
  return {screen.bounds.x(), screen.bounds.y(), screen.bounds.width(), screen.safeAreaInsets.top};
}

BackgroundTaskIdentifier Application::beginBackgroundTask(std::function<void()> expirationHandler) {
  return beginBackgroundTask("", std::move(expirationHandler));
}

BackgroundTaskIdentifier Application::beginBackgroundTask(std::string name, std::function<void()> expirationHandler) {
  std::lock_guard lock(mutex_);
  const BackgroundTaskIdentifier identifier = nextBackgroundTask_++;
  backgroundTasks_.emplace(identifier, BackgroundTask{std::move(name), std::make_shared<std::function<void()>>(
                                                                          std::move(expirationHandler))});
  return identifier;
}

void Application::endBackgroundTask(BackgroundTaskIdentifier identifier) {
  std::lock_guard lock(mutex_);
  if (backgroundTasks_.erase(identifier) == 0) {
    base::logError("Application: background task " + std::to_string(identifier) + " is not running");
  }
}

std::size_t Application::backgroundTaskCount() const {
  std::lock_guard lock(mutex_);
  return backgroundTasks_.size();
}

bool Application::isBackgroundTaskRunning(BackgroundTaskIdentifier identifier) const {
  std::lock_guard lock(mutex_);
  return backgroundTasks_.contains(identifier);
}

void Application::expireBackgroundTasks() {
  if (dispatch::main_loop::isMainThread()) {
    expireOnMain();
    return;
  }
  dispatch::main()->async([this] { expireOnMain(); });
}

void Application::expireOnMain() {
  std::map<BackgroundTaskIdentifier, BackgroundTask> expiring;
  {
    std::lock_guard lock(mutex_);
    expiring = backgroundTasks_;
  }
  for (const auto& [identifier, task] : expiring) {
    // A handler may end other tasks: those need no expiry any more.
    if (!isBackgroundTaskRunning(identifier)) continue;
    if (*task.expirationHandler) runGuarded(*task.expirationHandler, "A background task's expiration handler");
    std::lock_guard lock(mutex_);
    if (backgroundTasks_.erase(identifier) != 0) {
      base::logError("Application: background task " + std::to_string(identifier) +
                     (task.name.empty() ? "" : " (" + task.name + ")") +
                     " was still running after its expiration handler; ended");
    }
  }
}

}  // namespace ui
