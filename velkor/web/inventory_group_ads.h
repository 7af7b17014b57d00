// The ads that offerwall web pages were answered per inventory group, process-wide, so that later
// placement answers of a group skip them. Emptied by a page's "clearCache" and when the app goes to
// the background.
//
// Every access is one synchronous block on the serial queue "co.velkor.offerwall.atomic": pages in
// several web views answer placements at once, so choosing a group's ads and recording them is one
// block, and two requests of a group never get the same ad.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/dispatch/queue.h"
#include "velkor/model/ad.h"

namespace velkor {

class InventoryGroupAds {
 public:
  // The process's table, made on first use and never destroyed.
  static InventoryGroupAds& shared();

  InventoryGroupAds();
  InventoryGroupAds(const InventoryGroupAds&) = delete;
  InventoryGroupAds& operator=(const InventoryGroupAds&) = delete;

  // A copy of the group's ads; empty when it has none.
  std::vector<Ad> ads(const std::string& group) const;
  // What `pick` chooses, given the group's ads, appended to the group's entry in the same block.
  // `pick` runs on the table's queue and must not use the table.
  std::vector<Ad> choose(const std::string& group,
                         const std::function<std::vector<Ad>(const std::vector<Ad>&)>& pick);
  // Takes ads chosen for an answer that was never given back out of the group's entry (by id).
  void forget(const std::string& group, const std::vector<Ad>& ads);
  void clear();
  bool empty() const;

 private:
  const std::shared_ptr<dispatch::Queue> queue_;
  std::map<std::string, std::vector<Ad>> groups_;
};

}  // namespace velkor
