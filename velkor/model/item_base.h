// The view through which list rows and native ads read a displayable item: its titles, attributed
// texts, reward, thumbnail, completion and visibility. An ad is seen through an AdItem.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "platform/base/attributed_string.h"
#include "velkor/model/ad.h"

namespace velkor {

class ItemBase {
 public:
  virtual ~ItemBase() = default;

  virtual std::string title() const = 0;
  virtual std::optional<std::string> subtitle() const = 0;
  virtual base::AttributedString attributedTitle() const = 0;
  virtual base::AttributedString attributedSubtitle() const = 0;
  virtual base::AttributedString attributedSubtitleShort() const = 0;
  virtual std::int64_t reward() const = 0;
  virtual std::string rewardName() const = 0;
  virtual std::string thumbImage() const = 0;
  virtual bool isCompleted() const = 0;
  virtual bool isVisible() const = 0;
};

// An ad as an item. It holds its own copy, so it stays valid whatever happens to the list it came from.
class AdItem final : public ItemBase {
 public:
  explicit AdItem(Ad ad) : ad_(std::move(ad)) {}

  const Ad& ad() const { return ad_; }

  std::string title() const override { return ad_.title; }
  std::optional<std::string> subtitle() const override { return ad_.subtitle; }
  base::AttributedString attributedTitle() const override { return ad_.attributedTitle(); }
  base::AttributedString attributedSubtitle() const override { return ad_.attributedSubtitle(); }
  base::AttributedString attributedSubtitleShort() const override { return ad_.attributedSubtitleShort(); }
  std::int64_t reward() const override { return ad_.reward; }
  std::string rewardName() const override { return ad_.rewardName(); }
  std::string thumbImage() const override { return ad_.thumbImage; }
  bool isCompleted() const override { return ad_.isCompleted(); }
  bool isVisible() const override { return ad_.isVisible(); }

 private:
  Ad ad_;
};

}  // namespace velkor
