// The logging framework's entry points: hand over one usage event, or ask for the buffered ones to
// be sent now. Both return at once on any thread; sending happens on the framework's own queue.
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "lumberjack/log_type.h"

namespace lumberjack {

class Lumberjack {
 public:
  // Buffers the event. `info` is any JSON value (usually an object of the event's details); an
  // event whose page, name or info is not UTF-8 text cannot be sent and is dropped with a log line.
  static void track(LogType type, std::optional<std::string> page, std::string name,
                    std::optional<nlohmann::json> info);
  // Sends every buffered event now, when there is an endpoint.
  static void flush();
};

}  // namespace lumberjack
