#include "platform/base/json_big_numbers.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <utility>

namespace base::json_detail {
namespace {

using simdjson::dom::element;
using simdjson::dom::element_type;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && isDigit(text[at])) ++at;
  return at;
}

// Where a number's text ends: the longest run of characters a number may hold.
std::size_t endOfNumber(std::string_view text, std::size_t at) {
  while (at < text.size() && (isDigit(text[at]) || text[at] == '-' || text[at] == '+' || text[at] == '.' ||
                              text[at] == 'e' || text[at] == 'E')) {
    ++at;
  }
  return at;
}

// Just past the string opening at `at`.
std::size_t endOfString(std::string_view text, std::size_t at) {
  for (++at; at < text.size(); ++at) {
    if (text[at] == '\\')
      ++at;
    else if (text[at] == '"')
      return at + 1;
  }
  return text.size();
}

struct NumberParts {
  std::string_view integer;   // without its sign
  std::string_view fraction;  // without its point
  std::string_view exponent;  // with its sign, without the "e"
};

// The parts of a number as JSON writes one, or none for anything else.
std::optional<NumberParts> numberParts(std::string_view token) {
  std::size_t at = token.starts_with('-') ? 1 : 0;
  std::size_t end = skipDigits(token, at);
  if (end == at || (token[at] == '0' && end > at + 1)) return std::nullopt;
  NumberParts parts{token.substr(at, end - at), {}, {}};
  if (end < token.size() && token[end] == '.') {
    std::size_t digits = skipDigits(token, end + 1);
    if (digits == end + 1) return std::nullopt;
    parts.fraction = token.substr(end + 1, digits - end - 1);
    end = digits;
  }
  if (end < token.size() && (token[end] == 'e' || token[end] == 'E')) {
    std::size_t sign = end + 1 < token.size() && (token[end + 1] == '-' || token[end + 1] == '+') ? 1 : 0;
    std::size_t digits = skipDigits(token, end + 1 + sign);
    if (digits == end + 1 + sign) return std::nullopt;
    parts.exponent = token.substr(end + 1, digits - end - 1);
    end = digits;
  }
  if (end != token.size()) return std::nullopt;
  return parts;
}

// A number too far from 1 for a double is beyond its range when its first significant digit
// stands left of the point; otherwise it only rounds to zero, which simdjson takes.
bool tooLarge(const NumberParts& parts) {
  std::string_view integer = parts.integer;
  long long magnitude = integer != "0" ? static_cast<long long>(integer.size())
                                       : -static_cast<long long>(parts.fraction.find_first_not_of('0'));
  std::string_view exponent = parts.exponent;
  bool negative = exponent.starts_with('-');
  if (negative || exponent.starts_with('+')) exponent.remove_prefix(1);
  long long power = 0;
  for (char digit : exponent) power = std::min(power * 10 + (digit - '0'), 1'000'000LL);
  return magnitude + (negative ? -power : power) > 0;
}

bool beyondRange(std::string_view token) {
  std::optional<NumberParts> parts = numberParts(token);
  if (!parts) return false;
  const char* end = token.data() + token.size();
  if (parts->fraction.empty() && parts->exponent.empty()) {
    if (token.starts_with('-')) {
      std::int64_t value;
      return std::from_chars(token.data(), end, value).ec == std::errc::result_out_of_range;
    }
    std::uint64_t value;
    return std::from_chars(token.data(), end, value).ec == std::errc::result_out_of_range;
  }
  double value;
  return std::from_chars(token.data(), end, value).ec == std::errc::result_out_of_range && tooLarge(*parts);
}

void collectStrings(element value, const std::vector<std::size_t>& ordinals, std::size_t& seen,
                    std::vector<const char*>& texts) {
  auto take = [&](std::string_view text) {
    if (texts.size() < ordinals.size() && ordinals[texts.size()] == seen) texts.push_back(text.data());
    ++seen;
  };
  switch (value.type()) {
    case element_type::STRING:
      take(value.get_string().value_unsafe());
      break;
    case element_type::ARRAY: {
      simdjson::dom::array array = value.get_array().value_unsafe();
      for (element item : array) collectStrings(item, ordinals, seen, texts);
      break;
    }
    case element_type::OBJECT: {
      simdjson::dom::object object = value.get_object().value_unsafe();
      for (auto field : object) {
        take(field.key);
        collectStrings(field.value, ordinals, seen, texts);
      }
      break;
    }
    default:
      break;
  }
}

thread_local const BigNumbers* current = nullptr;

}  // namespace

std::optional<QuotedNumbers> quoteBigNumbers(std::string_view json) {
  QuotedNumbers quoted;
  std::size_t strings = 0;
  std::size_t copied = 0;
  for (std::size_t at = 0; at < json.size();) {
    char c = json[at];
    if (c == '"') {
      ++strings;
      at = endOfString(json, at);
    } else if (c == '-' || isDigit(c)) {
      std::size_t end = endOfNumber(json, at);
      if (beyondRange(json.substr(at, end - at))) {
        quoted.text.append(json.substr(copied, at - copied)).append(1, '"');
        quoted.text.append(json.substr(at, end - at)).append(1, '"');
        copied = end;
        quoted.ordinals.push_back(strings++);
      }
      at = end;
    } else {
      ++at;
    }
  }
  if (quoted.ordinals.empty()) return std::nullopt;
  quoted.text.reserve(json.size() + 2 * quoted.ordinals.size() + simdjson::SIMDJSON_PADDING);
  quoted.text.append(json.substr(copied));
  return quoted;
}

void BigNumbers::collect(element root, const std::vector<std::size_t>& ordinals) {
  std::size_t seen = 0;
  texts_.clear();
  collectStrings(root, ordinals, seen, texts_);
}

bool BigNumbers::holds(element value) const {
  if (value.type() != element_type::STRING) return false;
  return std::binary_search(texts_.begin(), texts_.end(), value.get_string().value_unsafe().data());
}

const BigNumbers* currentBigNumbers() {
  return current;
}

const BigNumbers* swapCurrentBigNumbers(const BigNumbers* numbers) {
  return std::exchange(current, numbers);
}

std::optional<std::string_view> bigNumberText(element value) {
  if (current == nullptr || !current->holds(value)) return std::nullopt;
  return value.get_string().value_unsafe();
}

}  // namespace base::json_detail
