// A transport failure of a data task: the platform's URL-error domain and codes, and a message.
// An HTTP answer, whatever its status, is a response and never one of these.
#pragma once

#include <string>

#include "platform/base/error.h"

namespace net {

// The domain every transport failure carries.
inline constexpr const char* errorDomain = "URLErrorDomain";

enum class ErrorCode : long {
  Unknown = -1,
  Cancelled = -999,
  BadUrl = -1000,
  TimedOut = -1001,
  UnsupportedUrl = -1002,
  CannotFindHost = -1003,
  CannotConnectToHost = -1004,
  NetworkConnectionLost = -1005,
  HttpTooManyRedirects = -1007,
  BadServerResponse = -1011,
  AppTransportSecurityRequiresSecureConnection = -1022,
  DataLengthExceedsMaximum = -1103,
  SecureConnectionFailed = -1200,
  ServerCertificateUntrusted = -1202,
};

struct Error {
  ErrorCode code = ErrorCode::Unknown;
  std::string message;

  // A message in plain words for the code, with the detail after it when there is one.
  static Error make(ErrorCode code, std::string_view detail = {});

  std::string domain() const { return errorDomain; }
  long rawCode() const { return static_cast<long>(code); }
  base::Error toBaseError() const;
  operator base::Error() const { return toBaseError(); }

  friend bool operator==(const Error&, const Error&) = default;
};

}  // namespace net
