// The texts the row binding derives from an ad, shared by the three row styles.
#pragma once

#include <string>

#include "velkor/model/ad.h"

namespace velkor {

inline constexpr const char* kEmptySubtitleText = "이벤트 참여하면";

// The subtitle in its short form (no trailing reward mark), or the invitation when that is empty.
std::string shortSubtitleOrInvitation(const Ad& ad);

// The reward text less a leading reward type name followed by one blank (the compact row's button).
std::string rewardTextWithoutName(const Ad& ad);

// The feed row's reward labels as the full binding shows them: the name over the rest when the
// reward text starts with the reward type's name, else the whole text alone.
struct FullRewardForm {
  bool nameShown = false;
  std::string name;
  std::string text;
};
FullRewardForm fullRewardForm(const Ad& ad);

}  // namespace velkor
