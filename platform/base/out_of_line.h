// An optional value kept on the heap, read as std::optional is. For the blocks a record rarely
// carries: where they are absent the record stays one pointer larger instead of the block's size,
// which keeps long lists of such records small. Copies copy the value; moves move the pointer.
#pragma once

#include <memory>
#include <optional>
#include <utility>

namespace base {

template <class T>
class OutOfLine {
 public:
  using value_type = T;

  OutOfLine() noexcept = default;
  OutOfLine(std::nullopt_t) noexcept {}
  OutOfLine(const T& value) : value_(std::make_unique<T>(value)) {}
  OutOfLine(T&& value) : value_(std::make_unique<T>(std::move(value))) {}
  OutOfLine(const std::optional<T>& value) : value_(value ? std::make_unique<T>(*value) : nullptr) {}
  OutOfLine(std::optional<T>&& value) : value_(value ? std::make_unique<T>(std::move(*value)) : nullptr) {}
  OutOfLine(const OutOfLine& other) : value_(other ? std::make_unique<T>(*other) : nullptr) {}
  OutOfLine(OutOfLine&& other) noexcept = default;

  // Every assignment (from another, a value, a std::optional or std::nullopt) builds the new
  // state first, so a throwing copy leaves this one as it was.
  OutOfLine& operator=(OutOfLine other) noexcept {
    value_ = std::move(other.value_);
    return *this;
  }

  bool has_value() const noexcept { return value_ != nullptr; }
  explicit operator bool() const noexcept { return has_value(); }
  void reset() noexcept { value_.reset(); }

  // Only when a value is present, as with std::optional.
  T& operator*() noexcept { return *value_; }
  const T& operator*() const noexcept { return *value_; }
  T* operator->() noexcept { return value_.get(); }
  const T* operator->() const noexcept { return value_.get(); }

  friend bool operator==(const OutOfLine& a, const OutOfLine& b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || *a == *b;
  }
  friend bool operator==(const OutOfLine& a, const T& b) { return a && *a == b; }
  friend bool operator==(const OutOfLine& a, std::nullopt_t) noexcept { return !a; }

 private:
  std::unique_ptr<T> value_;
};

}  // namespace base
