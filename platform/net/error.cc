#include "platform/net/error.h"

namespace net {

namespace {

const char* plainWords(ErrorCode code) {
  switch (code) {
    case ErrorCode::Cancelled: return "The request was cancelled.";
    case ErrorCode::BadUrl: return "The URL is not valid.";
    case ErrorCode::TimedOut: return "The request timed out.";
    case ErrorCode::UnsupportedUrl: return "The URL's scheme is not supported.";
    case ErrorCode::CannotFindHost: return "No server with that host name was found.";
    case ErrorCode::CannotConnectToHost: return "Could not connect to the server.";
    case ErrorCode::NetworkConnectionLost: return "The network connection was lost.";
    case ErrorCode::HttpTooManyRedirects: return "The request was redirected too many times.";
    case ErrorCode::BadServerResponse: return "The server's answer could not be read.";
    case ErrorCode::AppTransportSecurityRequiresSecureConnection:
      return "A secure connection is required.";
    case ErrorCode::DataLengthExceedsMaximum:
      return "The answer is longer than the session accepts.";
    case ErrorCode::SecureConnectionFailed: return "A secure connection to the server failed.";
    case ErrorCode::ServerCertificateUntrusted: return "The server's certificate is not trusted.";
    case ErrorCode::Unknown: break;
  }
  return "The request failed.";
}

}  // namespace

Error Error::make(ErrorCode code, std::string_view detail) {
  std::string message = plainWords(code);
  if (!detail.empty()) message.append(" (").append(detail).append(")");
  return Error{code, std::move(message)};
}

base::Error Error::toBaseError() const { return base::Error{domain(), rawCode(), message}; }

}  // namespace net
