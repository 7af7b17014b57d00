#include "velkor/network/tracking_remote_data_source.h"

namespace velkor {

lumberjack::Config TrackingRemoteDataSourceImpl::config() const {
  std::lock_guard lock(mutex_);
  return config_;
}

void TrackingRemoteDataSourceImpl::configurate(std::int64_t bufferCapacity, std::string server, bool debugEnabled) {
  std::lock_guard lock(mutex_);
  config_.configurate(bufferCapacity, std::move(server), debugEnabled);
}

}  // namespace velkor
