// Typed values into JSON, through nlohmann::json. A record declares its encoding with a member:
//
//   void encode(base::KeyedEncodingContainer& c) const {
//     c.encode("id", id);
//     c.encode("subtitle", subtitle);               // std::optional: null when absent
//     c.encodeIfPresent("iconImage", iconImage);    // left out when absent
//   }
//
// Keys are written as given: nothing the SDK encodes converts them. Values the encoder knows are
// those the decoder knows (json_decoder.h), plus std::optional and nlohmann::json as is.
#pragma once

#include <nlohmann/json.hpp>

#include <charconv>
#include <concepts>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/base/json_enum.h"
#include "platform/base/json_error.h"
#include "platform/base/json_value.h"
#include "platform/base/result.h"

namespace base {

class KeyedEncodingContainer;

namespace json_detail {

// Thrown while a value is built and caught by JsonEncoder; the path grows as it unwinds.
struct EncodingFailure {
  std::string path;
  std::string reason;
  void enter(std::string_view step);
  Error toError() const;
};

[[noreturn]] void failNonFinite(double number);
nlohmann::json encodeFloat(float number);

template <class T>
concept EncodableRecord = requires(const T& value, KeyedEncodingContainer& container) { value.encode(container); };

template <class T>
nlohmann::json encodeValue(const T& value);

template <class Sequence>
nlohmann::json encodeArray(const Sequence& values) {
  nlohmann::json array = nlohmann::json::array();
  std::size_t index = 0;
  for (const auto& item : values) {
    try {
      array.push_back(encodeValue(item));
    } catch (EncodingFailure& failure) {
      failure.enter("[" + std::to_string(index) + "]");
      throw;
    }
    ++index;
  }
  return array;
}

template <class Map>
nlohmann::json encodeObject(const Map& values) {
  nlohmann::json object = nlohmann::json::object();
  for (const auto& [key, item] : values) {
    try {
      object[key] = encodeValue(item);
    } catch (EncodingFailure& failure) {
      failure.enter(key);
      throw;
    }
  }
  return object;
}

template <class T>
nlohmann::json encodeRecord(const T& value);

template <class T>
nlohmann::json encodeValue(const T& value) {
  if constexpr (std::is_same_v<T, nlohmann::json>) {
    return value;
  } else if constexpr (std::is_same_v<T, bool> || std::is_integral_v<T>) {
    return value;
  } else if constexpr (std::is_same_v<T, float>) {
    return encodeFloat(value);
  } else if constexpr (std::is_floating_point_v<T>) {
    if (!std::isfinite(value)) failNonFinite(value);
    return value;
  } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
    return std::string_view(value);
  } else if constexpr (JsonEnumeration<T>) {
    return rawValue(value);
  } else if constexpr (requires { typename T::value_type; value.has_value(); }) {  // std::optional
    return value ? encodeValue(*value) : nlohmann::json();
  } else if constexpr (requires { typename T::mapped_type; }) {
    return encodeObject(value);
  } else if constexpr (requires { value.begin(); value.end(); }) {
    return encodeArray(value);
  } else {
    static_assert(EncodableRecord<T>, "the type needs a void encode(base::KeyedEncodingContainer&) const");
    return encodeRecord(value);
  }
}

}  // namespace json_detail

// The members of one JSON object being written.
class KeyedEncodingContainer {
 public:
  explicit KeyedEncodingContainer(nlohmann::json& object) : object_(object) {}

  // A std::optional that is absent is written as null.
  template <class T>
  void encode(std::string_view key, const T& value) {
    try {
      object_[std::string(key)] = json_detail::encodeValue(value);
    } catch (json_detail::EncodingFailure& failure) {
      failure.enter(key);
      throw;
    }
  }

  // An absent value leaves the key out: a std::optional, or anything read as one (out_of_line.h).
  template <class Optional>
    requires requires(const Optional& value) {
      typename Optional::value_type;
      { value.has_value() } -> std::same_as<bool>;
      *value;
    }
  void encodeIfPresent(std::string_view key, const Optional& value) {
    if (value.has_value()) encode(key, *value);
  }

 private:
  nlohmann::json& object_;
};

template <class T>
nlohmann::json json_detail::encodeRecord(const T& value) {
  nlohmann::json object = nlohmann::json::object();
  KeyedEncodingContainer container(object);
  value.encode(container);
  return object;
}

class JsonEncoder {
 public:
  // The value as a JSON tree; fails only on a non-finite number.
  template <class T>
  Result<nlohmann::json> encodeToValue(const T& value) const {
    try {
      return json_detail::encodeValue(value);
    } catch (const json_detail::EncodingFailure& failure) {
      return failure.toError();
    } catch (const std::exception& error) {
      return EncodingError::invalidValue(error.what());
    } catch (...) {
      return EncodingError::invalidValue("encoding stopped by an unknown exception");
    }
  }

  // The value as compact JSON text; also fails on text that is not UTF-8.
  template <class T>
  Result<std::string> encode(const T& value) const {
    Result<nlohmann::json> tree = encodeToValue(value);
    if (!tree) return tree.error();
    return dumpJson(*tree);
  }
};

}  // namespace base
