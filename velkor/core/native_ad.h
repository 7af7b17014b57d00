// An ad as a host app lays it out itself: texts with their reward marks filled in, image addresses,
// the reward, and the host's inventory name. Only the core makes one, from a server ad, when a native
// or placement load hands it out.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "velkor/model/ad.h"

namespace velkor {

class NativeAd;

// The ad's texts as plain text (title with its reward marks filled, subtitle without a trailing reward
// mark), its original thumbnail, its icon with ".webp" read as ".jpg", and no inventory.
std::shared_ptr<NativeAd> makeNativeAd(const Ad& ad);

class NativeAd {
 public:
  std::int64_t id() const { return id_; }
  const std::string& title() const { return title_; }
  const std::string& subtitle() const { return subtitle_; }
  // An image address.
  const std::string& thumbImage() const { return thumbImage_; }
  const std::optional<std::string>& iconImage() const { return iconImage_; }
  std::int64_t reward() const { return reward_; }

  // The host may change these two; main thread only, like the rest of the host's layout work.
  const std::optional<std::string>& rewardText() const { return rewardText_; }
  void setRewardText(std::optional<std::string> text) { rewardText_ = std::move(text); }
  // The RequestOptions inventory of the load that handed it out.
  const std::optional<std::string>& inventory() const { return inventory_; }
  void setInventory(std::optional<std::string> inventory) { inventory_ = std::move(inventory); }

 private:
  friend std::shared_ptr<NativeAd> makeNativeAd(const Ad& ad);
  NativeAd() = default;

  std::int64_t id_ = 0;
  std::string title_;
  std::string subtitle_;
  std::string thumbImage_;
  std::optional<std::string> iconImage_;
  std::int64_t reward_ = 0;
  std::optional<std::string> rewardText_;
  std::optional<std::string> inventory_;
};

}  // namespace velkor
