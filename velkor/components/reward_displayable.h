// What any prepare view does for the offerwall's top screen, so that a publisher's own view can
// stand in for the SDK's: show the reward the user can still earn, and say when it has gone.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace velkor {

class RewardDisplayable {
 public:
  virtual ~RewardDisplayable() = default;

  // Called once the view has removed itself.
  virtual const std::function<void()>& prepareViewDidDisappear() const = 0;
  virtual void setPrepareViewDidDisappear(std::function<void()> closure) = 0;
  virtual void setAvailableReward(std::optional<std::string> name, std::optional<std::string> unit,
                                  std::int64_t points) = 0;
};

}  // namespace velkor
