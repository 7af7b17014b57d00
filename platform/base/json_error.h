// Why JSON did not become the value asked for, and where in the document it went wrong.
#pragma once

#include <string>
#include <utility>

#include "platform/base/error.h"

namespace base {

struct DecodingError {
  // The codes under kDomain when the error travels as a base::Error.
  enum class Kind {
    keyNotFound = 1,    // a required key is absent
    valueNotFound = 2,  // null where a value is required
    typeMismatch = 3,   // a value of another JSON type (a quoted number, a bool for an integer...)
    dataCorrupted = 4,  // not JSON at all, a number that does not fit, a raw value naming no case
  };
  static constexpr const char* kDomain = "base.DecodingError";

  Kind kind = Kind::dataCorrupted;
  // Where, in the document's own keys: "ads[3].landing_type"; empty for the document itself.
  std::string codingPath;
  std::string debugDescription;

  // "<path>: <debugDescription>", or the description alone at the root.
  std::string description() const;
  Error toError() const;
  operator Error() const { return toError(); }

  friend bool operator==(const DecodingError&, const DecodingError&) = default;
};

// Encoding fails only on a value JSON cannot hold: a non-finite number, text that is not UTF-8.
struct EncodingError {
  static constexpr const char* kDomain = "base.EncodingError";
  static constexpr long kInvalidValue = 1;

  static Error invalidValue(std::string message) { return Error{kDomain, kInvalidValue, std::move(message)}; }
};

}  // namespace base
