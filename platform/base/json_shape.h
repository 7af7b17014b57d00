// Internal to the JSON decoder: how a keyed container finds a member fast.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/json_decoder.h"

namespace base::json_detail {

// The keys of one JSON object in order, each also in the form records ask for, with a table to
// look them up. The objects of a list usually have the same keys in the same order (every ad of
// an ad list), so one shape serves them all and its keys are converted and hashed once.
struct Shape {
  static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

  KeyDecodingStrategy strategy = KeyDecodingStrategy::useDefaultKeys;
  int users = 0;  // containers reading through this shape; it is not rebuilt while any is

  void reset(KeyDecodingStrategy newStrategy);
  void add(std::string_view wireKey);
  void index();  // after the last add

  std::size_t size() const { return wireAt_.size(); }
  bool hasWireKey(std::size_t position, std::string_view wireKey) const;
  std::string_view wireKey(std::size_t position) const {
    return std::string_view(text_).substr(wireAt_[position], wireLength_[position]);
  }
  std::string_view key(std::size_t position) const {
    return std::string_view(text_).substr(keyAt_[position], keyForms_[position].length);
  }
  // The lookup table (see KeyedDecodingContainer::find): slot to position, the first position
  // when the object repeats a key.
  const std::uint32_t* slots() const { return slots_.data(); }
  const KeyForm* forms() const { return keyForms_.data(); }
  std::uint32_t slotMask() const { return slotMask_; }
  int slotShift() const { return slotShift_; }

 private:
  bool sameKey(std::size_t position, const KeyForm& form, const char* text) const;

  std::string text_;  // wire keys and converted keys
  std::vector<std::uint32_t> wireAt_;
  std::vector<std::uint32_t> wireLength_;
  std::vector<std::uint32_t> keyAt_;
  std::vector<KeyForm> keyForms_;
  std::vector<std::uint32_t> slots_;
  std::uint32_t slotMask_ = 0;
  int slotShift_ = 0;
};

// Per-thread: the shapes met lately.
struct Scratch {
  static constexpr std::size_t kShapes = 64;
  // An object with more keys gets a shape of its own, dropped with its container.
  static constexpr std::size_t kMaxSharedKeys = 256;

  std::array<std::unique_ptr<Shape>, kShapes> shapes;
};

}  // namespace base::json_detail
