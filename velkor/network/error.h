// The one error value that every failure callback of the SDK receives. It is a base::Error (domain,
// code, message) that also keeps the server's VelkorError, with its dialog, when the failure is one.
//
// How a host tells the kinds apart, by domain():
//   "VelKOR" (VelkorError::kErrorDomain)  The ad server refused the action, or the SDK raised the same
//                                         record itself. velkorError() holds it: code, message, dialog.
//   "URLErrorDomain" (net::errorDomain)   No answer: time-out, no connection, connection lost... The
//                                         code -1000 (bad URL) means the SDK could not build the
//                                         request's address from its parameters; nothing was sent.
//   "base.DecodingError"                  An answer came, but its body was not what the call expects;
//                                         the message says where. Codes: base::DecodingError::Kind.
//   "base.EncodingError"                  The request's parameters could not be written as JSON (text
//                                         that is not UTF-8, a uid say); nothing was sent.
//   "co.velkor.offerwall" (kSdkDomain)    The share link: code = the HTTP status of a refused request,
//                                         or -1 "Data is nil" for an answer without a body.
//   "" (empty), code 0                    An answer without a body.
// Errors of ad loading made by the core (argument and time-out errors) carry a domain of their own,
// named in the core's headers; they keep the VelkorError the same way when there is one.
#pragma once

#include <optional>
#include <string>

#include "platform/base/error.h"
#include "platform/base/json_error.h"
#include "platform/base/result.h"
#include "platform/net/error.h"
#include "velkor/model/velkor_error.h"

namespace velkor {

class Error : public base::Error {
 public:
  // The domain of the errors the SDK makes itself for its share links.
  static constexpr const char* kSdkDomain = "co.velkor.offerwall";

  Error() = default;
  Error(base::Error error) : base::Error(std::move(error)) {}
  Error(const net::Error& error) : base::Error(error.toBaseError()) {}
  Error(const base::DecodingError& error) : base::Error(error.toError()) {}
  // Domain "VelKOR", the record's code and message, and the record itself.
  Error(VelkorError error);

  static Error make(std::string domain, long code, std::optional<std::string> message = std::nullopt) {
    return Error(base::Error{std::move(domain), code, std::move(message)});
  }

  // The server's (or the SDK's own) error record, when this failure is one.
  const std::optional<VelkorError>& velkorError() const { return velkorError_; }

  bool isTransport() const { return domain == net::errorDomain; }
  bool isBadUrl() const { return isTransport() && code == static_cast<long>(net::ErrorCode::BadUrl); }

  friend bool operator==(const Error&, const Error&) = default;

 private:
  std::optional<VelkorError> velkorError_;
};

// What a call that reports through one completion gets: a value or the error.
template <class T>
using Result = base::Result<T, Error>;

}  // namespace velkor
