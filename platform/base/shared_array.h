// A read-only list that every holder shares, as the platform's arrays are: handing it on copies a
// pointer, never the elements. Nobody changes the elements in place, so holders on any thread read
// them safely; a holder that wants to change the list takes it out with take(), which copies the
// elements only while another holder still reads them.
//
// Large lists of records (the cached ads) go from the cache to every reader this way.
#pragma once

#include <atomic>
#include <cstddef>
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
  SharedArray(std::vector<T> items) : shared_(new Shared(std::move(items))) {}
  SharedArray(const SharedArray& other) : shared_(other.shared_) {
    // A new holder comes from an existing one, which keeps the list alive meanwhile.
    if (shared_) shared_->holders.fetch_add(1, std::memory_order_relaxed);
  }
  SharedArray(SharedArray&& other) noexcept : shared_(std::exchange(other.shared_, nullptr)) {}
  SharedArray& operator=(SharedArray other) noexcept {
    std::swap(shared_, other.shared_);
    return *this;
  }
  ~SharedArray() { release(); }

  const std::vector<T>& items() const { return shared_ ? shared_->items : none(); }
  operator const std::vector<T>&() const { return items(); }

  std::size_t size() const { return items().size(); }
  bool empty() const { return items().empty(); }
  const T& operator[](std::size_t index) const { return items()[index]; }
  const_iterator begin() const { return items().begin(); }
  const_iterator end() const { return items().end(); }

  // The elements to change: moved out when this is the only holder, else copied. Leaves this empty.
  std::vector<T> take() && {
    SharedArray held = std::move(*this);
    if (!held.shared_) return {};
    // Every other holder lets go with a release, so seeing the count at one with an acquire orders
    // all their reads before the move.
    if (held.shared_->holders.load(std::memory_order_acquire) != 1) return held.shared_->items;
    return std::move(held.shared_->items);
  }

 private:
  // Never changed once shared; only the last holder's take() moves the elements out.
  struct Shared {
    explicit Shared(std::vector<T> list) : items(std::move(list)) {}
    std::atomic<std::size_t> holders{1};
    std::vector<T> items;
  };

  static const std::vector<T>& none() {
    static const std::vector<T> none;
    return none;
  }

  // The last holder to let go sees every other holder's reads before it frees the list.
  void release() {
    if (shared_ && shared_->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) delete shared_;
    shared_ = nullptr;
  }

  Shared* shared_ = nullptr;
};

}  // namespace base
