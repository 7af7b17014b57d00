// Decoding and encoding as the SDK's clients do: server answers with snake_case keys converted, the
// stored catalogue and the share link with plain keys.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor::testing {

using Json = nlohmann::json;
using Kind = base::DecodingError::Kind;

template <class T>
base::Result<T, base::DecodingError> fromWire(std::string_view json) {
  base::JsonDecoder decoder;
  decoder.keyDecodingStrategy = base::KeyDecodingStrategy::convertFromSnakeCase;
  return decoder.decode<T>(json);
}

template <class T>
base::Result<T, base::DecodingError> fromPlain(std::string_view json) {
  return base::JsonDecoder().decode<T>(json);
}

// `json` with `changes` merged in; a null in `changes` removes its key.
inline nlohmann::json patched(nlohmann::json json, const nlohmann::json& changes) {
  json.merge_patch(changes);
  return json;
}

// The record that `json` decodes to (with key conversion), or a default one after a test failure.
template <class T>
T decodedOrFail(const nlohmann::json& json) {
  auto result = fromWire<T>(json.dump());
  EXPECT_TRUE(result) << json.dump() << ": " << (result ? "" : result.error().description());
  return result ? *result : T{};
}

// Passes when the text fails to decode (with key conversion) with the error `kind` at `path`.
template <class T>
::testing::AssertionResult failsAs(std::string_view json, base::DecodingError::Kind kind, std::string_view path) {
  const auto decoded = fromWire<T>(json);
  if (decoded) return ::testing::AssertionFailure() << "decoded: " << json;
  const base::DecodingError& error = decoded.error();
  if (error.kind != kind || error.codingPath != path) {
    return ::testing::AssertionFailure() << json << " failed as " << error.description() << " (kind "
                                         << static_cast<int>(error.kind) << ")";
  }
  return ::testing::AssertionSuccess();
}

// The encoded value as a tree; a null tree when encoding failed.
template <class T>
nlohmann::json toJson(const T& value) {
  return base::JsonEncoder().encodeToValue(value).valueOr(nlohmann::json());
}

}  // namespace velkor::testing
