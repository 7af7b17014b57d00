// The holder of the logging framework's configuration value. It is configured on the thread of the
// facade call that triggers it (initialisation, a stage change) and read on every request thread
// for the tracking id, so both go through its lock.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "lumberjack/config.h"

namespace velkor {

class TrackingRemoteDataSource {
 public:
  virtual ~TrackingRemoteDataSource() = default;
};

class TrackingRemoteDataSourceImpl : public TrackingRemoteDataSource {
 public:
  // A copy of the configuration as it stands.
  lumberjack::Config config() const;
  // Configures the held value in place, one caller at a time.
  void configurate(std::int64_t bufferCapacity, std::string server, bool debugEnabled);

 private:
  mutable std::mutex mutex_;
  lumberjack::Config config_;
};

}  // namespace velkor
