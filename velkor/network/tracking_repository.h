// How the SDK hands usage events to the logging framework, and where the tracking id that every
// server request carries comes from. The host reaches it through Velkor::trackingRepository().
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace velkor {

class TrackingRepository {
 public:
  virtual ~TrackingRepository() = default;

  // This installation's tracking id.
  virtual std::string trackingID() const = 0;
  // The framework's buffer capacity, debug flag and collection endpoint (a full address).
  virtual void configure(std::int64_t buffer, bool debugEnabled, std::string server) = 0;
  // One usage event; returns at once.
  virtual void track(std::optional<std::string> page, std::string name, std::optional<nlohmann::json> info) = 0;
  // Asks the framework to send its buffered events now.
  virtual void flush() = 0;
};

}  // namespace velkor
