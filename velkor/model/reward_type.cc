#include "velkor/model/reward_type.h"

#include <mutex>

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor {
namespace {

// Responses write on main while list rows, native-ad loading and reward sums read elsewhere; the
// lock covers only the exchange of the pointer.
struct Items {
  std::mutex mutex;
  std::shared_ptr<const RewardType::List> list = std::make_shared<const RewardType::List>();
};

Items& sharedItems() {
  static auto* items = new Items();
  return *items;
}

}  // namespace

RewardType RewardType::decode(base::KeyedDecodingContainer& c) {
  RewardType type;
  type.id = c.decode<std::int64_t>("id");
  type.name = c.decode<std::string>("name");
  type.priority = c.decode<std::int64_t>("priority");
  type.unit = c.decode<std::string>("unit");
  return type;
}

void RewardType::encode(base::KeyedEncodingContainer& c) const {
  c.encode("id", id);
  c.encode("name", name);
  c.encode("priority", priority);
  c.encode("unit", unit);
}

std::shared_ptr<const RewardType::List> RewardType::items() {
  Items& items = sharedItems();
  std::lock_guard lock(items.mutex);
  return items.list;
}

void RewardType::setItems(List list) {
  auto replacement = std::make_shared<const List>(std::move(list));
  Items& items = sharedItems();
  std::lock_guard lock(items.mutex);
  items.list.swap(replacement);
  // The old list is released after the lock, by `replacement`, should this be its last holder.
}

RewardType RewardType::primary() { return primary(*items()); }

RewardType RewardType::primary(const List& items) { return items.empty() ? RewardType{} : items.front(); }

}  // namespace velkor
