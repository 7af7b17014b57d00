// JSON numbers have no range, but simdjson refuses a whole document over one integer beyond 64
// bits or one number beyond a double's range. Such a number is carried instead as its own text in
// a string element, so that it matters only where a record reads it. Internal to the decoder.
#pragma once

#include <simdjson.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace base::json_detail {

// The text again with each such number in quotes, and which strings (counted in document order,
// keys included) the quoting made; none when the text holds no such number.
struct QuotedNumbers {
  std::string text;  // with simdjson::SIMDJSON_PADDING spare bytes of capacity
  std::vector<std::size_t> ordinals;
};
std::optional<QuotedNumbers> quoteBigNumbers(std::string_view json);

// The string elements of one parsed document that hold such numbers.
class BigNumbers {
 public:
  // `ordinals` as quoteBigNumbers gave them for the text `root` was parsed from.
  void collect(simdjson::dom::element root, const std::vector<std::size_t>& ordinals);
  bool empty() const { return texts_.empty(); }
  bool holds(simdjson::dom::element value) const;

 private:
  std::vector<const char*> texts_;  // ascending, as simdjson lays strings out in document order
};

// The numbers of the document being decoded on this thread, if it has any.
const BigNumbers* currentBigNumbers();
// Makes `numbers` the thread's current ones until the returned previous ones are put back.
const BigNumbers* swapCurrentBigNumbers(const BigNumbers* numbers);

// The number an element holds when it holds one beyond simdjson's range, or none.
std::optional<std::string_view> bigNumberText(simdjson::dom::element value);

}  // namespace base::json_detail
