#include "lumberjack/config.h"

#include <mutex>

#include "lumberjack/sender.h"
#include "platform/base/defaults.h"
#include "platform/base/uuid.h"

namespace lumberjack {
namespace {

constexpr const char* kTrackingIdKey = "lumberjack_tracking_id";

}  // namespace

std::string Config::trackingID() const {
  // Serialises the first reads, so two threads never store two different ids.
  static std::mutex* mutex = new std::mutex;
  std::lock_guard lock(*mutex);
  const auto defaults = base::Defaults::standard();
  auto stored = defaults->object(kTrackingIdKey);
  if (stored && stored->is_string() && !stored->get<std::string>().empty()) return stored->get<std::string>();
  std::string id = base::Uuid().uuidString();
  defaults->setString(kTrackingIdKey, id);
  return id;
}

void Config::configurate(std::int64_t bufferCapacity, std::string server, bool debugEnabled) {
  bufferCapacity_ = bufferCapacity;
  server_ = std::move(server);
  debugEnabled_ = debugEnabled;
  Sender::shared().configure(bufferCapacity_, server_, debugEnabled_);
}

}  // namespace lumberjack
