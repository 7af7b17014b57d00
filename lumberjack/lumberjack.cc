#include "lumberjack/lumberjack.h"

#include "lumberjack/sender.h"
#include "platform/base/date.h"
#include "platform/base/json_value.h"
#include "platform/base/log.h"

namespace lumberjack {

void Lumberjack::track(LogType type, std::optional<std::string> page, std::string name,
                       std::optional<nlohmann::json> info) {
  nlohmann::json event = {{"type", logTypeName(type)}, {"name", std::move(name)}};
  if (page) event["page"] = std::move(*page);
  if (info) event["info"] = std::move(*info);
  event["time"] = base::Date::now().timeIntervalSince1970();
  // Checked here, one event at a time, so that one bad event cannot keep a whole batch from going.
  if (auto text = base::dumpJson(event); !text.ok()) {
    base::logError("lumberjack: event dropped, it cannot be sent as JSON: " + text.error().description());
    return;
  }
  Sender::shared().add(std::move(event));
}

void Lumberjack::flush() { Sender::shared().flush(); }

}  // namespace lumberjack
