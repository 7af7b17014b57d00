// Serve-time placeholders of the fixtures: the server's own address and dates relative to the moment
// of the answer, so that expiry headers and countdowns never go stale.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace mock {

struct ServeContext {
  std::string baseUrl;                    // "{BASE_URL}"
  std::chrono::system_clock::time_point now;  // "{NOW}", "{NOW+N}", "{NOW-N}" (N seconds)
  std::optional<long long> adId;          // "{AD_ID}": the ad id of the request, when it has one
};

// The servers' date text, "yyyy-MM-dd'T'HH:mm:ssZ" in UTC: "2024-05-01T03:00:00+0000".
std::string formatServerDate(std::chrono::system_clock::time_point time);

// Replaces the placeholders above; every other brace, "{ad_id}" and "{REWARD_STR_MARK}" included, is
// left as it stands. "{AD_ID}" without an ad id is left too.
std::string expandPlaceholders(std::string_view text, const ServeContext& context);

}  // namespace mock
