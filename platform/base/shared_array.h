// A read-only list that every holder shares, as the platform's arrays are: handing it on copies a
// pointer, never the elements. Nobody changes the elements in place, so holders on any thread read
// them safely; a holder that wants to change the list takes it out with take(), which copies the
// elements only while another holder still reads them.
//
// Large lists of records (the cached ads) go from the cache to every reader this way.
#pragma once

#include <atomic>
#include <memory>
#include <utility>
#include <vector>

namespace base {

template <class T>
class SharedArray {
 public:
  using value_type = T;
  using const_iterator = typename std::vector<T>::const_iterator;

  SharedArray() = default;
  // Implicit, like the vector it stands for: a function that answers with a list can be given one.
  SharedArray(std::vector<T> items) : items_(std::make_shared<std::vector<T>>(std::move(items))) {}

  const std::vector<T>& items() const { return items_ ? *items_ : none(); }
  operator const std::vector<T>&() const { return items(); }

  std::size_t size() const { return items().size(); }
  bool empty() const { return items().empty(); }
  const T& operator[](std::size_t index) const { return items()[index]; }
  const_iterator begin() const { return items().begin(); }
  const_iterator end() const { return items().end(); }

  // The elements to change: moved out when this is the only holder, else copied. Leaves this empty.
  std::vector<T> take() && {
    std::shared_ptr<std::vector<T>> items = std::move(items_);
    if (!items) return {};
    if (items.use_count() != 1) return *items;
    // The count is read relaxed; the fence orders the last other holder's reads before our moving.
    std::atomic_thread_fence(std::memory_order_acquire);
    return std::move(*items);
  }

 private:
  static const std::vector<T>& none() {
    static const std::vector<T> none;
    return none;
  }

  // Never changed once shared; held as non-const only so that take() may move from a sole holder.
  std::shared_ptr<std::vector<T>> items_;
};

}  // namespace base
