// Which page of native ads a paged load returned, and how many pages there are; handed to the host
// app with the ads. Always made with both numbers.
#pragma once

#include <cstdint>

namespace velkor {

struct PageInfo {
  PageInfo(std::int64_t currentPage, std::int64_t totalPage)
      : currentPage(currentPage), totalPage(totalPage) {}

  std::int64_t currentPage;
  std::int64_t totalPage;

  friend bool operator==(const PageInfo&, const PageInfo&) = default;
};

}  // namespace velkor
