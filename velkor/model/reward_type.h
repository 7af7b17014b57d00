// A kind of reward a publisher pays out (points, cash, coins) with its display name and unit, and the
// one process-wide list of them that every ad-list, ad-detail and placement response replaces and
// that every reward text reads.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace base {
class KeyedDecodingContainer;
class KeyedEncodingContainer;
}  // namespace base

namespace velkor {

struct RewardType {
  std::int64_t id = 0;
  std::string name;
  // Carried as the server sends it; nothing orders by it.
  std::int64_t priority = 0;
  std::string unit;

  static RewardType decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  using List = std::vector<RewardType>;

  // The current list, in the server's order; empty until a response carried one. The list is never
  // changed in place: a reader keeps a consistent snapshot however long it holds it, so a text built
  // from one snapshot never mixes names of two responses.
  static std::shared_ptr<const List> items();
  // Replaces the whole list at once (an empty list empties it); readers holding the old one keep it.
  static void setItems(List items);

  // The first type of the list; while the list is empty, a neutral type with id 0 and empty name and
  // unit, so reward texts read as the bare amount instead of failing.
  static RewardType primary();
  static RewardType primary(const List& items);

  friend bool operator==(const RewardType&, const RewardType&) = default;
};

}  // namespace velkor
