#include "platform/ui/application.h"

#include <exception>
#include <string>

#include "platform/base/log.h"
#include "platform/base/notification_center.h"
#include "platform/dispatch/main_loop.h"
#include "platform/dispatch/queue.h"

namespace ui {
namespace {

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

}  // namespace ui
