// The SDK's tracking repository: forwards to the logging framework, events as LogType::Event.
#pragma once

#include <memory>

#include "velkor/network/tracking_remote_data_source.h"
#include "velkor/network/tracking_repository.h"

namespace velkor {

class TrackingRepositoryImpl : public TrackingRepository {
 public:
  // A new holder of an unconfigured framework configuration when none is given.
  explicit TrackingRepositoryImpl(std::shared_ptr<TrackingRemoteDataSourceImpl> remoteDataSource = nullptr);

  std::string trackingID() const override;
  void configure(std::int64_t buffer, bool debugEnabled, std::string server) override;
  void track(std::optional<std::string> page, std::string name, std::optional<nlohmann::json> info) override;
  void flush() override;

  const std::shared_ptr<TrackingRemoteDataSourceImpl>& remoteDataSource() const { return remoteDataSource_; }

 private:
  const std::shared_ptr<TrackingRemoteDataSourceImpl> remoteDataSource_;
};

}  // namespace velkor
