#include "platform/base/json_decoder.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>

#include "platform/base/json_big_numbers.h"
#include "platform/base/json_shape.h"

namespace base {
namespace {

using json_detail::PathNode;
using Kind = DecodingError::Kind;
using simdjson::dom::element;
using simdjson::dom::element_type;

// The thread's parser keeps its buffers (several times the size of the text) for the next
// document, which spares a large reallocation per response; past this size they are let go.
constexpr std::size_t kKeptDocumentBytes = 2 << 20;

const char* foundText(element value) {
  if (json_detail::bigNumberText(value)) return "a number";
  switch (value.type()) {
    case element_type::ARRAY: return "an array";
    case element_type::OBJECT: return "an object";
    case element_type::INT64:
    case element_type::UINT64: return "an integer";
    case element_type::DOUBLE: return "a number with a fraction or exponent";
    case element_type::STRING: return "a string";
    case element_type::BOOL: return "a bool";
    case element_type::NULL_VALUE: return "null";
  }
  return "an unknown value";
}

// Null where a value is wanted is a missing value rather than a value of the wrong type.
[[noreturn]] void failTypeMismatch(const PathNode& at, const char* expected, element found) {
  if (found.is_null()) json_detail::failValueNotFound(at, expected);
  json_detail::fail(Kind::typeMismatch, at, std::string("expected ") + expected + ", found " + foundText(found));
}

std::string numberText(double number) {
  char buffer[32];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
  return std::string(buffer, end);
}

[[noreturn]] void failNotFitting(const PathNode& at, std::string_view number, std::string_view type) {
  json_detail::fail(Kind::dataCorrupted, at,
                    "the number " + std::string(number) + " does not fit in " + std::string(type));
}

[[noreturn]] void failNotFitting(const PathNode& at, std::string_view number, bool isSigned, int bits) {
  failNotFitting(at, number, (isSigned ? "int" : "uint") + std::to_string(bits));
}

// A number beyond 64 bits fits no integer; any other string is not a number at all.
[[noreturn]] void failNotInteger(const PathNode& at, element value, bool isSigned, int bits) {
  if (auto text = json_detail::bigNumberText(value)) failNotFitting(at, *text, isSigned, bits);
  failTypeMismatch(at, "an integer", value);
}

DecodingError notJson(simdjson::error_code error) {
  return DecodingError{Kind::dataCorrupted, "",
                       std::string("the data is not valid JSON: ") + simdjson::error_message(error)};
}

// A number with a fraction or an exponent is taken as an integer only when it is one exactly.
bool exactInteger(double number, double min, double limit) {
  return number >= min && number < limit && std::trunc(number) == number;
}

}  // namespace

namespace json_detail {

std::string codingPath(const PathNode& at) {
  std::vector<const PathNode*> chain;
  for (const PathNode* node = &at; node != nullptr; node = node->parent) {
    if (node->kind != PathNode::Kind::root) chain.push_back(node);
  }
  std::string path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const PathNode& node = **it;
    if (node.kind == PathNode::Kind::element) {
      path += '[' + std::to_string(node.index) + ']';
      continue;
    }
    if (!path.empty()) path += '.';
    path += node.kind == PathNode::Kind::shapeMember ? node.shape->wireKey(node.index) : node.key;
  }
  return path;
}

void fail(DecodingError::Kind kind, const PathNode& at, std::string description) {
  throw DecodingError{kind, codingPath(at), std::move(description)};
}

void failValueNotFound(const PathNode& at, const char* expected) {
  fail(Kind::valueNotFound, at, std::string("expected ") + expected + ", found null");
}

void failUnknownCase(const PathNode& at, std::string_view enumeration, std::string raw) {
  fail(Kind::dataCorrupted, at, raw + " is not a raw value of " + std::string(enumeration));
}

bool decodeBool(element value, const PathNode& at) {
  if (value.type() != element_type::BOOL) failTypeMismatch(at, "a bool", value);
  return value.get_bool().value_unsafe();
}

std::int64_t decodeSigned(element value, const PathNode& at, std::int64_t min, std::int64_t max, int bits) {
  switch (value.type()) {
    case element_type::INT64: {
      std::int64_t number = value.get_int64().value_unsafe();
      if (number < min || number > max) failNotFitting(at, std::to_string(number), true, bits);
      return number;
    }
    case element_type::UINT64:
      failNotFitting(at, std::to_string(value.get_uint64().value_unsafe()), true, bits);
    case element_type::DOUBLE: {
      double number = value.get_double().value_unsafe();
      if (!exactInteger(number, -0x1p63, 0x1p63)) failNotFitting(at, numberText(number), true, bits);
      auto integer = static_cast<std::int64_t>(number);
      if (integer < min || integer > max) failNotFitting(at, numberText(number), true, bits);
      return integer;
    }
    default:
      failNotInteger(at, value, true, bits);
  }
}

std::uint64_t decodeUnsigned(element value, const PathNode& at, std::uint64_t max, int bits) {
  switch (value.type()) {
    case element_type::INT64: {
      std::int64_t number = value.get_int64().value_unsafe();
      if (number < 0 || static_cast<std::uint64_t>(number) > max) {
        failNotFitting(at, std::to_string(number), false, bits);
      }
      return static_cast<std::uint64_t>(number);
    }
    case element_type::UINT64: {
      std::uint64_t number = value.get_uint64().value_unsafe();
      if (number > max) failNotFitting(at, std::to_string(number), false, bits);
      return number;
    }
    case element_type::DOUBLE: {
      double number = value.get_double().value_unsafe();
      if (!exactInteger(number, 0, 0x1p64)) failNotFitting(at, numberText(number), false, bits);
      auto integer = static_cast<std::uint64_t>(number);
      if (integer > max) failNotFitting(at, numberText(number), false, bits);
      return integer;
    }
    default:
      failNotInteger(at, value, false, bits);
  }
}

double decodeDouble(element value, const PathNode& at) {
  switch (value.type()) {
    case element_type::INT64: return static_cast<double>(value.get_int64().value_unsafe());
    case element_type::UINT64: return static_cast<double>(value.get_uint64().value_unsafe());
    case element_type::DOUBLE: return value.get_double().value_unsafe();
    default:
      break;
  }
  // A number beyond 64 bits takes the nearest double; one beyond a double's range fails.
  auto text = json_detail::bigNumberText(value);
  if (!text) failTypeMismatch(at, "a number", value);
  double number = 0;
  if (std::from_chars(text->data(), text->data() + text->size(), number).ec != std::errc{}) {
    failNotFitting(at, *text, "double");
  }
  return number;
}

float decodeFloat(element value, const PathNode& at) {
  double number = decodeDouble(value, at);
  // Rounded, as any number is; only one beyond the largest float fails.
  auto rounded = static_cast<float>(number);
  if (std::isinf(rounded)) fail(Kind::dataCorrupted, at, "the number " + numberText(number) + " does not fit in float");
  return rounded;
}

std::string_view decodeString(element value, const PathNode& at) {
  if (value.type() != element_type::STRING || bigNumberText(value)) failTypeMismatch(at, "a string", value);
  return value.get_string().value_unsafe();
}

simdjson::dom::array decodeArray(element value, const PathNode& at) {
  if (value.type() != element_type::ARRAY) failTypeMismatch(at, "an array", value);
  return value.get_array().value_unsafe();
}

simdjson::dom::object decodeObject(element value, const PathNode& at) {
  if (value.type() != element_type::OBJECT) failTypeMismatch(at, "an object", value);
  return value.get_object().value_unsafe();
}

DecodingError unexpectedFailure(const char* what) {
  return DecodingError{Kind::dataCorrupted, "", std::string("decoding stopped: ") + what};
}

struct Document::Slot {
  simdjson::dom::parser parser;
  Scratch scratch;
  bool busy = false;
};

namespace {
Document::Slot& threadParser() {
  thread_local Document::Slot slot;
  return slot;
}
}  // namespace

Document::Document() : outerBigNumbers_(swapCurrentBigNumbers(nullptr)) {
  Slot& mine = threadParser();
  owned_ = mine.busy;
  slot_ = owned_ ? new Slot : &mine;
  slot_->busy = true;
  slot_->scratch.shapes.dropIfFull();
}

Document::~Document() {
  swapCurrentBigNumbers(outerBigNumbers_);
  if (owned_) {
    delete slot_;
    return;
  }
  slot_->busy = false;
  if (size_ > kKeptDocumentBytes) slot_->parser = simdjson::dom::parser{};
}

std::optional<DecodingError> Document::parse(std::string_view json, bool padded) {
  size_ = json.size();
  auto result = slot_->parser.parse(json.data(), json.size(), !padded);
  if (result.error() == simdjson::NUMBER_ERROR) return parseQuotingBigNumbers(json);
  if (result.error() != simdjson::SUCCESS) return notJson(result.error());
  root_ = result.value_unsafe();
  return std::nullopt;
}

// Rare enough to afford a second pass over the text.
std::optional<DecodingError> Document::parseQuotingBigNumbers(std::string_view json) {
  std::optional<QuotedNumbers> quoted = quoteBigNumbers(json);
  if (!quoted) return notJson(simdjson::NUMBER_ERROR);
  auto result = slot_->parser.parse(quoted->text.data(), quoted->text.size(), false);
  if (result.error() != simdjson::SUCCESS) return notJson(result.error());
  root_ = result.value_unsafe();
  bigNumbers_ = std::make_unique<BigNumbers>();
  bigNumbers_->collect(root_, quoted->ordinals);
  swapCurrentBigNumbers(bigNumbers_.get());
  return std::nullopt;
}

const BigNumbers* Document::bigNumbers() const {
  return bigNumbers_.get();
}

Scratch& Document::scratch() { return slot_->scratch; }

}  // namespace json_detail

}  // namespace base
