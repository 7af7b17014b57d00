// Reading the values of a script message's body, as every bridge of the SDK does: a value of
// another type counts as absent. A body that is no object has no values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace velkor {

std::optional<std::string> bodyText(const nlohmann::json& body, const char* key);
// Whole numbers only: 5.5, "5" and true are no integers.
std::optional<std::int64_t> bodyInteger(const nlohmann::json& body, const char* key);
std::optional<bool> bodyBool(const nlohmann::json& body, const char* key);
// The JSON object a text holds; an empty object for anything else (no JSON, an array, a number).
nlohmann::json parseJsonObject(const std::string& text);

}  // namespace velkor
