// The outcome of an operation that can fail: a value, or the error that stopped it. Failures travel
// as values through the whole SDK, so this is what public functions return instead of throwing.
#pragma once

#include <cassert>
#include <concepts>
#include <type_traits>
#include <utility>
#include <variant>

#include "platform/base/error.h"

namespace base {

template <class T, class E = Error>
class Result {
 public:
  // Implicit both ways so that `return value;` and `return error;` read naturally; a type that
  // could be taken for both is refused rather than guessed.
  template <class U = T>
    requires std::constructible_from<T, U&&> && (!std::same_as<std::remove_cvref_t<U>, Result>) &&
             (!std::convertible_to<U &&, E>)
  Result(U&& value) : storage_(std::in_place_index<0>, std::forward<U>(value)) {}

  Result(E error) : storage_(std::in_place_index<1>, std::move(error)) {}

  // A result whose error converts (a DecodingError into an Error, say) is taken as is.
  template <class E2>
    requires(!std::same_as<E2, E>) && std::convertible_to<const E2&, E>
  Result(const Result<T, E2>& other)
      : storage_(other.ok() ? Storage(std::in_place_index<0>, other.value())
                            : Storage(std::in_place_index<1>, E(other.error()))) {}

  template <class E2>
    requires(!std::same_as<E2, E>) && std::convertible_to<const E2&, E>
  Result(Result<T, E2>&& other)
      : storage_(other.ok() ? Storage(std::in_place_index<0>, std::move(other).value())
                            : Storage(std::in_place_index<1>, E(other.error()))) {}

  bool ok() const { return storage_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // Only on success.
  T& value() & {
    assert(ok());
    return *std::get_if<0>(&storage_);
  }
  const T& value() const& {
    assert(ok());
    return *std::get_if<0>(&storage_);
  }
  T&& value() && {
    assert(ok());
    return std::move(*std::get_if<0>(&storage_));
  }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  // Only on failure.
  const E& error() const {
    assert(!ok());
    return *std::get_if<1>(&storage_);
  }

  T valueOr(T fallback) const& { return ok() ? value() : std::move(fallback); }

 private:
  using Storage = std::variant<T, E>;
  Storage storage_;
};

// Success that carries nothing.
template <class E>
class Result<void, E> {
 public:
  Result() = default;
  Result(E error) : error_(std::move(error)), failed_(true) {}

  template <class E2>
    requires(!std::same_as<E2, E>) && std::convertible_to<const E2&, E>
  Result(const Result<void, E2>& other) : failed_(!other.ok()) {
    if (failed_) error_ = E(other.error());
  }

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const E& error() const {
    assert(failed_);
    return error_;
  }

 private:
  E error_{};
  bool failed_ = false;
};

}  // namespace base
