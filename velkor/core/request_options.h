// What a host app asks of one native or placement load: tags that narrow the ads, its name for the
// slot (stamped on every ad and its impression), and whether a placement's missing ads are filled
// from the general list. Fixed once made.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velkor {

class RequestOptions {
 public:
  // Sets no inventory group: a host cannot ask for one.
  RequestOptions(std::optional<std::vector<std::string>> tags, std::optional<std::string> inventory, bool autofill)
      : tags_(std::move(tags)), inventory_(std::move(inventory)), autofill_(autofill) {}

  // The SDK's own way in, with an inventory group: placement loads that name one never hand out an ad
  // twice within it until the app goes to the background.
  struct WithGroup {};
  RequestOptions(WithGroup, std::optional<std::vector<std::string>> tags, std::optional<std::string> inventory,
                 std::optional<std::string> inventoryGroup, std::optional<bool> autofill)
      : tags_(std::move(tags)),
        inventory_(std::move(inventory)),
        inventoryGroup_(std::move(inventoryGroup)),
        autofill_(autofill) {}

  const std::optional<std::vector<std::string>>& tags() const { return tags_; }
  const std::optional<std::string>& inventory() const { return inventory_; }
  const std::optional<std::string>& inventoryGroup() const { return inventoryGroup_; }
  // Absent counts as false.
  bool autofill() const { return autofill_.value_or(false); }

 private:
  std::optional<std::vector<std::string>> tags_;
  std::optional<std::string> inventory_;
  std::optional<std::string> inventoryGroup_;
  std::optional<bool> autofill_;
};

}  // namespace velkor
