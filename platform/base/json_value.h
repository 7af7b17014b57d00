// nlohmann::json is the SDK's dynamic JSON value: request bodies, bridge messages, anything built
// or read key by key rather than as a record. These two functions are the only ways in and out
// as text, and neither throws.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

#include "platform/base/json_error.h"
#include "platform/base/result.h"

namespace base {

// Deeper nesting than this is refused: printing and copying a value recurse once per level.
inline constexpr int kMaxJsonDepth = 512;

// Text that is not one JSON value, or nests deeper than kMaxJsonDepth, is dataCorrupted.
Result<nlohmann::json, DecodingError> parseJson(std::string_view text);

// JSON text, compact or indented by `indent` spaces. Text that is not UTF-8 is an
// EncodingError::kInvalidValue.
Result<std::string> dumpJson(const nlohmann::json& value, int indent = -1);

}  // namespace base
