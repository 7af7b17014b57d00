// The kinds of record the logging framework collects. Usage events are the only kind so far.
#pragma once

namespace lumberjack {

enum class LogType : int { Event = 0 };

// The wire name of the kind ("event").
const char* logTypeName(LogType type);

}  // namespace lumberjack
