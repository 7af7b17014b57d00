#include "velkor/web/script_message_body.h"

namespace velkor {
namespace {

const nlohmann::json* valueOf(const nlohmann::json& body, const char* key) {
  if (!body.is_object()) return nullptr;
  auto value = body.find(key);
  return value == body.end() ? nullptr : &*value;
}

}  // namespace

std::optional<std::string> bodyText(const nlohmann::json& body, const char* key) {
  const auto* value = valueOf(body, key);
  if (!value || !value->is_string()) return std::nullopt;
  return value->get<std::string>();
}

std::optional<std::int64_t> bodyInteger(const nlohmann::json& body, const char* key) {
  const auto* value = valueOf(body, key);
  if (!value || !value->is_number_integer()) return std::nullopt;
  // An unsigned value above the signed range is no integer the bridges can use.
  if (value->is_number_unsigned() && value->get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) {
    return std::nullopt;
  }
  return value->get<std::int64_t>();
}

std::optional<bool> bodyBool(const nlohmann::json& body, const char* key) {
  const auto* value = valueOf(body, key);
  if (!value || !value->is_boolean()) return std::nullopt;
  return value->get<bool>();
}

nlohmann::json parseJsonObject(const std::string& text) {
  auto parsed = nlohmann::json::parse(text, nullptr, false);
  return parsed.is_object() ? parsed : nlohmann::json::object();
}

}  // namespace velkor
