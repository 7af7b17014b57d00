#include "platform/base/json_encoder.h"

namespace base::json_detail {

void EncodingFailure::enter(std::string_view step) {
  if (!path.empty() && path.front() != '[') path.insert(path.begin(), '.');
  path.insert(0, step);
}

Error EncodingFailure::toError() const { return EncodingError::invalidValue(path + ": " + reason); }

void failNonFinite(double number) {
  throw EncodingFailure{"", "a non-finite number (" + std::to_string(number) + ") has no JSON form"};
}

// A float is written with the shortest digits that read back as the same float (3.14f as 3.14,
// not as the 3.140000104904175 its double widening would print).
nlohmann::json encodeFloat(float number) {
  if (!std::isfinite(number)) failNonFinite(number);
  char buffer[32];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
  double widened = 0;
  std::from_chars(buffer, end, widened);
  return widened;
}

}  // namespace base::json_detail
