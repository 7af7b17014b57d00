// The ad logic server's answer to a participation: where to send the user, what to post back, when,
// and an optional dialog to show first.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "velkor/model/dialog.h"

namespace velkor {

struct ParticipateResult {
  // Posted back as "click_key".
  std::string clickKey;
  std::string landingUrl;
  // Shown instead of going to the landing directly when it has a message.
  std::optional<Dialog> dialog;
  // Seconds after which the click key is posted back; no post-back without it.
  std::optional<std::int64_t> completeDelayTime;

  static ParticipateResult decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const ParticipateResult&, const ParticipateResult&) = default;
};

}  // namespace velkor
