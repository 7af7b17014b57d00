// The texts of the dialog in which a user who already did an ad's mission may swap it for another
// one. Carried by an ad; decoding fills in the SDK's Korean texts for every text the server leaves out.
#pragma once

#include <optional>
#include <string>

namespace base {
class KeyedDecodingContainer;
class KeyedEncodingContainer;
}  // namespace base

namespace velkor {

struct OptOutOption {
  // After decoding every text but startButtonText is present.
  std::optional<std::string> startButtonText;
  std::optional<std::string> actionButtonText;
  // "{ACTION_TEXT}" in it is already replaced by actionText.
  std::optional<std::string> title;
  std::optional<std::string> message;
  std::optional<std::string> positiveButtonText;
  std::optional<std::string> negativeButtonText;
  std::optional<std::string> actionText;

  static OptOutOption decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const OptOutOption&, const OptOutOption&) = default;
};

}  // namespace velkor
