// The ads that offerwall web pages were answered per inventory group, process-wide, so that later
// placement answers of a group skip them. Emptied by a page's "clearCache" and when the app goes to
// the background.
//
// Every access is one synchronous block on the serial queue "co.velkor.offerwall.atomic": pages in
// several web views answer placements at once, and a group's entry is extended in one step so that
// two answers finishing together both stay recorded.
#pragma once

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
  // Appends to the group's entry each ad whose id it does not hold yet, in order.
  void extend(const std::string& group, const std::vector<Ad>& ads);
  void clear();
  bool empty() const;

 private:
  const std::shared_ptr<dispatch::Queue> queue_;
  std::map<std::string, std::vector<Ad>> groups_;
};

}  // namespace velkor
