// A loopback HTTP (or HTTPS) server on an ephemeral port and a way to run a data task to its end.
#pragma once

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/net/session.h"

namespace net::testing {

class LoopbackServer {
 public:
  // An https server is an httplib::SSLServer.
  explicit LoopbackServer(std::unique_ptr<httplib::Server> server = std::make_unique<httplib::Server>(),
                          std::string scheme = "http")
      : server_(std::move(server)), scheme_(std::move(scheme)) {
    // One request per connection, so stopping never waits out a kept-alive one; no Nagle delay.
    server_->set_keep_alive_max_count(1);
    server_->set_tcp_nodelay(true);
    server_->set_payload_max_length(16 << 20);
    port_ = server_->bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // httplib ignores a stop() that comes before its loop has started.
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~LoopbackServer() {
    release();
    server_->stop();
    thread_.join();
  }

  httplib::Server* operator->() { return server_.get(); }
  int port() const { return port_; }
  std::string url(const std::string& path) const {
    return scheme_ + "://127.0.0.1:" + std::to_string(port_) + path;
  }

  // Holds a handler until the test releases it or the time passes, so it never outlives the test.
  void hold(std::chrono::milliseconds atMost) {
    std::unique_lock lock(mutex_);
    released_.wait_for(lock, atMost, [this] { return isReleased_; });
  }
  void release() {
    std::lock_guard lock(mutex_);
    isReleased_ = true;
    released_.notify_all();
  }

 private:
  std::unique_ptr<httplib::Server> server_;
  std::string scheme_;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable released_;
  bool isReleased_ = false;
};

struct Finished {
  std::optional<std::string> data;
  std::optional<Response> response;
  std::optional<Error> error;
  bool onSessionQueue = false;
};

// Keeps what each completion brought; it may be dropped before they arrive.
struct Collector {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<Finished> finished;

  bool waitFor(std::size_t count, std::chrono::milliseconds atMost) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, atMost, [&] { return finished.size() >= count; });
  }
};

inline base::Url urlOf(const std::string& text) { return *base::Url::parse(text); }

// A completion that keeps what it brought, and whether it ran on the queue given.
inline auto collectInto(std::shared_ptr<Collector> collector, std::weak_ptr<dispatch::Queue> queue = {}) {
  return [collector, queue](Data data, std::optional<Response> response, std::optional<Error> error) {
    auto current = queue.lock();
    std::optional<std::string> bytes;
    if (data) bytes = *data;
    std::lock_guard lock(collector->mutex);
    collector->finished.push_back({std::move(bytes), std::move(response), std::move(error), current && current->isCurrent()});
    collector->changed.notify_all();
  };
}

// Sends the request on the session, which the caller lets go, and waits for its one completion.
inline Finished fetch(const Request& request, std::shared_ptr<Session> session) {
  auto collector = std::make_shared<Collector>();
  session->dataTask(request, collectInto(collector, session->delegateQueue()))->resume();
  session.reset();
  if (!collector->waitFor(1, std::chrono::seconds(20))) return {};
  // A second completion would show up here.
  collector->waitFor(2, std::chrono::milliseconds(20));
  std::lock_guard lock(collector->mutex);
  return collector->finished.size() == 1 ? collector->finished.front() : Finished{};
}

// On a new session, as the SDK does.
inline Finished fetch(const Request& request) {
  return fetch(request, Session::make());
}
inline Finished fetch(const std::string& url) { return fetch(Request(urlOf(url))); }

}  // namespace net::testing
