#include "lumberjack/sender.h"

#include <algorithm>

#include "lumberjack/config.h"
#include "platform/base/json_value.h"
#include "platform/base/log.h"

namespace lumberjack {
namespace {

bool isSuccess(const std::optional<net::Response>& response, const std::optional<net::Error>& error) {
  return !error && response && response->statusCode() >= 200 && response->statusCode() <= 299;
}

std::string failureText(const std::optional<net::Response>& response, const std::optional<net::Error>& error) {
  if (error) return error->message;
  if (response) return "status " + std::to_string(response->statusCode());
  return "no answer";
}

}  // namespace

Sender& Sender::shared() {
  static auto* sender = new std::shared_ptr<Sender>(make());
  return **sender;
}

std::shared_ptr<Sender> Sender::make() { return std::shared_ptr<Sender>(new Sender()); }

Sender::Sender() : queue_(dispatch::Queue::serial("lumberjack.sender")), session_(net::Session::make()) {}

void Sender::configure(std::int64_t bufferCapacity, const std::string& server, bool debugEnabled) {
  auto endpoint = base::Url::parse(server);
  if (!endpoint) base::logError("lumberjack: \"" + server + "\" is not a URL; events are kept until one is set");
  std::lock_guard lock(mutex_);
  capacity_ = static_cast<std::size_t>(std::max<std::int64_t>(bufferCapacity, 1));
  endpoint_ = std::move(endpoint);
  debugEnabled_ = debugEnabled;
  backOff_ = dispatch::Seconds{0};
  ++configuration_;
  if (pending_.size() >= capacity_) scheduleUploadLocked();
}

void Sender::add(nlohmann::json event) {
  std::lock_guard lock(mutex_);
  pending_.push_back(std::move(event));
  dropOverflowLocked();
  if (pending_.size() >= capacity_ && !isBackingOffLocked()) scheduleUploadLocked();
}

void Sender::flush() {
  std::lock_guard lock(mutex_);
  if (uploading_) {
    flushRequested_ = true;
    return;
  }
  scheduleUploadLocked();
}

std::size_t Sender::pendingCount() const {
  std::lock_guard lock(mutex_);
  return pending_.size();
}

bool Sender::isUploading() const {
  std::lock_guard lock(mutex_);
  return uploading_;
}

void Sender::resetForTesting() {
  std::lock_guard lock(mutex_);
  pending_.clear();
  capacity_ = 1;
  endpoint_.reset();
  debugEnabled_ = false;
  uploading_ = false;
  flushRequested_ = false;
  backOff_ = dispatch::Seconds{0};
  ++generation_;
}

void Sender::scheduleUploadLocked() {
  if (uploading_ || !endpoint_ || pending_.empty()) return;
  uploading_ = true;
  queue_->async([self = shared_from_this()] { self->upload(); });
}

// Runs on the sender's queue: the caller of track() or flush() never waits for the JSON or the
// network.
void Sender::upload() {
  std::vector<nlohmann::json> batch;
  std::optional<base::Url> endpoint;
  std::uint64_t generation = 0;
  std::uint64_t configuration = 0;
  {
    std::lock_guard lock(mutex_);
    if (!endpoint_ || pending_.empty()) {
      uploading_ = false;
      return;
    }
    batch.assign(std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.end()));
    pending_.clear();
    endpoint = endpoint_;
    generation = generation_;
    configuration = configuration_;
  }
  nlohmann::json body = {{"tracking_id", Config().trackingID()}, {"events", batch}};
  // Every event was checked when it was tracked, so the batch always has a text form.
  net::Request request(*endpoint);
  request.setHttpMethod("POST");
  request.setValue("application/json", "Content-Type");
  request.setHttpBody(base::dumpJson(body).valueOr("{}"));
  auto task = session_->dataTask(
      std::move(request), [self = shared_from_this(), batch = std::move(batch), generation, configuration](
                              net::Data, std::optional<net::Response> response,
                              std::optional<net::Error> error) mutable {
        const bool sent = isSuccess(response, error);
        if (!sent) self->debugLog("upload failed (" + failureText(response, error) + ")");
        self->finishUpload(std::move(batch), sent, generation, configuration);
      });
  task->resume();
}

void Sender::finishUpload(std::vector<nlohmann::json> batch, bool sent, std::uint64_t generation,
                          std::uint64_t configuration) {
  std::lock_guard lock(mutex_);
  if (generation != generation_) return;
  uploading_ = false;
  const bool flushAgain = flushRequested_;
  flushRequested_ = false;
  if (sent) {
    backOff_ = dispatch::Seconds{0};
    if (debugEnabled_) base::console("lumberjack: sent " + std::to_string(batch.size()) + " events");
  } else {
    keepLocked(std::move(batch));
    // A failure of the endpoint configured before says nothing of the one configured since.
    if (configuration == configuration_) backOffLocked();
  }
  // A flush asked for meanwhile does not wait out a back-off, as a flush never does.
  if (flushAgain || (pending_.size() >= capacity_ && !isBackingOffLocked())) scheduleUploadLocked();
}

void Sender::keepLocked(std::vector<nlohmann::json> batch) {
  pending_.insert(pending_.begin(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
  dropOverflowLocked();
  if (debugEnabled_) base::console("lumberjack: " + std::to_string(pending_.size()) + " events kept for the next upload");
}

void Sender::backOffLocked() {
  backOff_ = backOff_ == dispatch::Seconds{0} ? kFirstBackOff : std::min(2 * backOff_, kLongestBackOff);
  quietUntil_ = dispatch::now() + std::chrono::duration_cast<std::chrono::nanoseconds>(backOff_);
}

bool Sender::isBackingOffLocked() const {
  return backOff_ != dispatch::Seconds{0} && dispatch::now() < quietUntil_;
}

void Sender::dropOverflowLocked() {
  const std::size_t limit = std::max(kMaxKeptEvents, capacity_);
  if (pending_.size() <= limit) return;
  const std::size_t excess = pending_.size() - limit;
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(excess));
  base::logError("lumberjack: " + std::to_string(excess) + " oldest events dropped, the buffer is full");
}

void Sender::debugLog(const std::string& message) const {
  bool debug = false;
  {
    std::lock_guard lock(mutex_);
    debug = debugEnabled_;
  }
  if (debug) base::console("lumberjack: " + message);
}

}  // namespace lumberjack
