// How an app configures the logging framework: the buffer capacity, the collection endpoint and
// the debug flag. A value type; configurate() updates the value and the process-wide sender alike,
// so every copy made later reads the new settings.
#pragma once

#include <cstdint>
#include <string>

namespace lumberjack {

class Config {
 public:
  // Unconfigured: no endpoint, so events are kept until one is set.
  Config() = default;

  // The id of this installation, made at the first read and kept in base::Defaults::standard();
  // made once even when several threads ask at the same time.
  std::string trackingID() const;

  // Events are sent as a batch when `bufferCapacity` of them wait (a capacity below 1 counts as 1)
  // and on flush, by a POST of JSON to `server`, the endpoint's full address. `debugEnabled`
  // writes what happens to the console.
  void configurate(std::int64_t bufferCapacity, std::string server, bool debugEnabled);

  std::int64_t bufferCapacity() const { return bufferCapacity_; }
  const std::string& server() const { return server_; }
  bool debugEnabled() const { return debugEnabled_; }

 private:
  std::int64_t bufferCapacity_ = 0;
  std::string server_;
  bool debugEnabled_ = false;
};

}  // namespace lumberjack
