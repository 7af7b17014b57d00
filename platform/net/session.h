// The URL session: makes data tasks and calls their completions on its own serial queue. A session
// is cheap (the SDK makes one per request): the network thread, its connection cache and its pool
// of transfer handles are shared by every session of the process. A session lives while someone
// holds it or one of its tasks is unfinished.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/dispatch/queue.h"
#include "platform/net/error.h"
#include "platform/net/request.h"
#include "platform/net/response.h"

namespace net {

// A body's bytes, immutable, shared by the task's data and its response without a copy. A
// non-empty body received from the network has simdjson::SIMDJSON_PADDING spare bytes of
// capacity, which lets the JSON decoder parse it where it lies.
using Data = std::shared_ptr<const std::string>;

// Called once per task with either data and response (data is present, if empty, for an empty
// body) or an error, never both.
using Completion = std::function<void(Data data, std::optional<Response> response, std::optional<Error> error)>;

class Session;
class Engine;

// What a task takes from its session when it is made.
struct TaskSettings {
  std::size_t maximumBodySize;
  // PEM certificates trusted instead of the system's; none: the system's.
  std::shared_ptr<const std::string> certificateAuthority;
};

// What a task ends with: data and response, or an error.
struct Outcome {
  Data data;
  std::optional<Response> response;
  std::optional<Error> error;

  static Outcome success(Data data, Response response);
  static Outcome failure(Error error);
};

class DataTask : public std::enable_shared_from_this<DataTask> {
 public:
  enum class State { Running = 0, Suspended = 1, Canceling = 2, Completed = 3 };

  // Starts a suspended task; does nothing to a task already started, cancelled or done.
  void resume();
  // Ends an unfinished task: its completion gets a Cancelled error. Does nothing to a done task.
  void cancel();

  State state() const;
  const Request& originalRequest() const { return request_; }

 private:
  friend class Session;
  friend class Engine;

  DataTask(std::shared_ptr<Session> session, Request request, Completion completion, TaskSettings settings);
  // Hands the outcome to the session's queue, the first time only.
  void finish(Outcome outcome);

  std::shared_ptr<Session> session_;
  const Request request_;
  const TaskSettings settings_;
  mutable std::mutex mutex_;
  State state_ = State::Suspended;
  Completion completion_;
};

class Session : public std::enable_shared_from_this<Session> {
 public:
  // A session with the default configuration and a serial queue of its own for completions.
  static std::shared_ptr<Session> make();
  // A session whose completions run on the given queue (the main queue, say), which spares the
  // caller a hop through a queue of the session's own.
  static std::shared_ptr<Session> make(std::shared_ptr<dispatch::Queue> delegateQueue);

  // A suspended task for the request; resume() starts it.
  std::shared_ptr<DataTask> dataTask(Request request, Completion completion);

  const std::shared_ptr<dispatch::Queue>& delegateQueue() const { return queue_; }

  // A body longer than this, counted after any decompression, ends its task with
  // DataLengthExceedsMaximum and no data, the transfer stopped at once. For tasks made from now on.
  static constexpr std::size_t defaultMaximumBodySize = std::size_t{32} << 20;
  void setMaximumBodySize(std::size_t bytes);
  std::size_t maximumBodySize() const;

  // Tests only: servers are verified against these PEM certificates instead of the system's, so a
  // loopback server can speak TLS with a certificate made for the test. For tasks made from now on.
  void setCertificateAuthorityForTesting(std::string pem);

 private:
  explicit Session(std::shared_ptr<dispatch::Queue> queue) : queue_(std::move(queue)) {}

  std::shared_ptr<dispatch::Queue> queue_;
  mutable std::mutex mutex_;
  TaskSettings settings_{defaultMaximumBodySize, nullptr};  // guarded by mutex_
};

}  // namespace net
