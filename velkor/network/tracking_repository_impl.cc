#include "velkor/network/tracking_repository_impl.h"

#include "lumberjack/lumberjack.h"

namespace velkor {

TrackingRepositoryImpl::TrackingRepositoryImpl(std::shared_ptr<TrackingRemoteDataSourceImpl> remoteDataSource)
    : remoteDataSource_(remoteDataSource ? std::move(remoteDataSource)
                                         : std::make_shared<TrackingRemoteDataSourceImpl>()) {}

std::string TrackingRepositoryImpl::trackingID() const { return remoteDataSource_->config().trackingID(); }

void TrackingRepositoryImpl::configure(std::int64_t buffer, bool debugEnabled, std::string server) {
  remoteDataSource_->configurate(buffer, std::move(server), debugEnabled);
}

void TrackingRepositoryImpl::track(std::optional<std::string> page, std::string name,
                                   std::optional<nlohmann::json> info) {
  lumberjack::Lumberjack::track(lumberjack::LogType::Event, std::move(page), std::move(name), std::move(info));
}

void TrackingRepositoryImpl::flush() { lumberjack::Lumberjack::flush(); }

}  // namespace velkor
