// The process-wide sender behind the framework's entry points: buffers events, and posts them as
// one JSON batch to the configured endpoint when the buffer reaches its capacity or on flush.
//
// Batch body: {"tracking_id": "<installation id>", "events": [{"type": "event", "page": ...,
// "name": ..., "info": ..., "time": <seconds since 1970>}, ...]}, oldest first; "page" and "info"
// are left out when absent.
//
// One upload at a time, on the sender's own queue, so batches arrive in order. A batch whose upload
// fails (no answer, or a status outside 200...299) goes back in front of the buffer for the next
// upload; the sender does not retry by itself. After a failure a full buffer waits before it posts
// again, 30 s and then twice as long after each further failure, up to 10 min (on dispatch's clock),
// so a collector that is down gets no POST per event; flush() sends at once all the same, and a
// success ends the wait. A new configuration (the app moving to another server stage) starts afresh:
// it ends the wait, and an upload to the previous endpoint that fails afterwards starts none. At most
// kMaxKeptEvents events (or the capacity, if larger) are kept: past that the oldest are dropped, so a
// collector that stays down cannot make the buffer grow without end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/url.h"
#include "platform/dispatch/clock.h"
#include "platform/dispatch/queue.h"
#include "platform/net/session.h"

namespace lumberjack {

class Sender : public std::enable_shared_from_this<Sender> {
 public:
  static constexpr std::size_t kMaxKeptEvents = 1000;
  static constexpr dispatch::Seconds kFirstBackOff{30};
  static constexpr dispatch::Seconds kLongestBackOff{600};

  static Sender& shared();
  static std::shared_ptr<Sender> make();

  // Sets the capacity, the endpoint (an address that is no URL leaves none: events are kept) and
  // the debug flag, and ends any wait; starts an upload when the buffer is already full.
  void configure(std::int64_t bufferCapacity, const std::string& server, bool debugEnabled);
  // Buffers one event (a JSON object in the batch's form).
  void add(nlohmann::json event);
  void flush();

  // What waits to be sent, and whether an upload is scheduled or running.
  std::size_t pendingCount() const;
  bool isUploading() const;
  // Back to the unconfigured state with nothing buffered; an upload in flight finishes unseen.
  void resetForTesting();

 private:
  Sender();
  // Schedules an upload unless one is running, there is no endpoint or nothing to send.
  void scheduleUploadLocked();
  void upload();
  // `generation` and `configuration` are the counts as the upload started.
  void finishUpload(std::vector<nlohmann::json> batch, bool sent, std::uint64_t generation,
                    std::uint64_t configuration);
  void keepLocked(std::vector<nlohmann::json> batch);
  void backOffLocked();
  bool isBackingOffLocked() const;
  void dropOverflowLocked();
  void debugLog(const std::string& message) const;

  mutable std::mutex mutex_;
  std::deque<nlohmann::json> pending_;
  std::size_t capacity_ = 1;
  std::optional<base::Url> endpoint_;
  bool debugEnabled_ = false;
  bool uploading_ = false;
  bool flushRequested_ = false;
  // The wait after the last failed upload (zero after a success) and when it ends.
  dispatch::Seconds backOff_{0};
  dispatch::TimePoint quietUntil_{};
  // Counts resets, so that an upload started before one does not put its batch back after it.
  std::uint64_t generation_ = 0;
  // Counts configurations, so that a failure at the previous endpoint starts no wait for the new one.
  std::uint64_t configuration_ = 0;
  const std::shared_ptr<dispatch::Queue> queue_;
  const std::shared_ptr<net::Session> session_;
};

}  // namespace lumberjack
