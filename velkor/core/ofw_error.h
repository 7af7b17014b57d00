// The error of a native ad load the core refused or gave up: a bad page or size, a page past the last,
// or a wait for the previous load that timed out. It reaches the host as the common error value, in
// its own domain, with the message as the error's message.
#pragma once

#include <string>

#include "velkor/network/error.h"

namespace velkor {

struct OfwError {
  static constexpr const char* kDomain = "Velkor.OfwError";
  static constexpr long kCode = 1;

  static constexpr const char* kTimeout = "load ads request timeout";
  static constexpr const char* kBadPage = "page must be a positive number";
  static constexpr const char* kBadLimit = "limit must be a positive number less than 20";
  static constexpr const char* kPageOutOfRange = "page is out of range";

  std::string message;

  Error toError() const { return Error::make(kDomain, kCode, message); }
};

}  // namespace velkor
