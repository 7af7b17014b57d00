// The system log's stand-in: messages under a category ("Error" for failures), written to stderr.
#pragma once

#include <string_view>

namespace base {

enum class LogLevel { Debug, Info, Error };

// Writes "[velkor:<category>] message" to stderr, whole lines only, safe from any thread.
void log(std::string_view category, std::string_view message, LogLevel level = LogLevel::Info);
inline void logError(std::string_view message) { log("Error", message, LogLevel::Error); }
// Console output (the SDK's debug prints), also to stderr.
void console(std::string_view message);

}  // namespace base
