#include "platform/base/log.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace base {
namespace {

void writeLine(const std::string& line) {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

void log(std::string_view category, std::string_view message, LogLevel) {
  writeLine("[velkor:" + std::string(category) + "] " + std::string(message) + "\n");
}

void console(std::string_view message) { writeLine(std::string(message) + "\n"); }

}  // namespace base
