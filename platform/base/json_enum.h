// Raw values of enumerations that travel in JSON. An enumeration opts in by specialising JsonEnum:
//
//   enum class LandingType : std::int64_t { external = 0, inAppBrowser = 1 };
//   template <> struct base::JsonEnum<LandingType> {
//     static constexpr std::string_view name = "LandingType";
//     static constexpr LandingType cases[] = {LandingType::external, LandingType::inAppBrowser};
//   };
//
// The raw value of an integer-backed case is its underlying value. A string-backed enumeration lists
// its raw texts instead:
//
//   static constexpr std::pair<Kind, std::string_view> cases[] = {{Kind::alert, "alert"}, ...};
//
// The JSON decoder and encoder then read and write the raw value; a raw value that names no case
// fails decoding as dataCorrupted.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>

namespace base {

template <class E>
struct JsonEnum;

template <class E>
concept JsonEnumeration = std::is_enum_v<E> && requires {
  { JsonEnum<E>::name } -> std::convertible_to<std::string_view>;
  JsonEnum<E>::cases[0];
};

template <JsonEnumeration E>
inline constexpr bool kIntegerBacked = std::is_same_v<std::remove_cvref_t<decltype(JsonEnum<E>::cases[0])>, E>;

template <JsonEnumeration E>
  requires kIntegerBacked<E>
constexpr std::int64_t rawValue(E value) {
  return static_cast<std::int64_t>(value);
}

template <JsonEnumeration E>
  requires(!kIntegerBacked<E>)
constexpr std::string_view rawValue(E value) {
  for (const auto& [item, raw] : JsonEnum<E>::cases) {
    if (item == value) return raw;
  }
  return {};
}

// The case whose raw value is `raw`, or none.
template <JsonEnumeration E>
  requires kIntegerBacked<E>
constexpr std::optional<E> fromRawValue(std::int64_t raw) {
  for (E item : JsonEnum<E>::cases) {
    if (rawValue(item) == raw) return item;
  }
  return std::nullopt;
}

template <JsonEnumeration E>
  requires(!kIntegerBacked<E>)
constexpr std::optional<E> fromRawValue(std::string_view raw) {
  for (const auto& [item, text] : JsonEnum<E>::cases) {
    if (text == raw) return item;
  }
  return std::nullopt;
}

}  // namespace base
