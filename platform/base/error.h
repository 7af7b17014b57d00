// The one error value of the platform: a domain, a code and an optional message.
#pragma once

#include <optional>
#include <string>

namespace base {

struct Error {
  std::string domain;
  long code = 0;
  std::optional<std::string> message;

  // The message when there is one, else "<domain> error <code>".
  std::string description() const;

  friend bool operator==(const Error&, const Error&) = default;
};

}  // namespace base
