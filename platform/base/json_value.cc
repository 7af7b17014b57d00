#include "platform/base/json_value.h"

namespace base {
namespace {

struct TooDeep {};

}  // namespace

Result<nlohmann::json, DecodingError> parseJson(std::string_view text) {
  auto limitDepth = [](int depth, nlohmann::json::parse_event_t event, nlohmann::json&) {
    bool opens = event == nlohmann::json::parse_event_t::object_start ||
                 event == nlohmann::json::parse_event_t::array_start;
    if (opens && depth >= kMaxJsonDepth) throw TooDeep{};
    return true;
  };
  try {
    return nlohmann::json::parse(text.begin(), text.end(), limitDepth);
  } catch (const TooDeep&) {
    return DecodingError{DecodingError::Kind::dataCorrupted, "",
                         "the JSON nests deeper than " + std::to_string(kMaxJsonDepth) + " levels"};
  } catch (const std::exception& error) {
    return DecodingError{DecodingError::Kind::dataCorrupted, "",
                         std::string("the data is not valid JSON: ") + error.what()};
  }
}

Result<std::string> dumpJson(const nlohmann::json& value, int indent) {
  try {
    return value.dump(indent);
  } catch (const std::exception& error) {
    return EncodingError::invalidValue(error.what());
  }
}

}  // namespace base
