// The HTTP answer to a data task, whatever its status: the final URL after redirects, the status
// code, the header fields and the body.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/base/url.h"
#include "platform/net/header_fields.h"

namespace net {

class Response {
 public:
  Response(base::Url url, int statusCode, HeaderFields headers, std::string body = {});
  // The body shared with whoever else holds it (the task's data), so a response is cheap to copy.
  Response(base::Url url, int statusCode, HeaderFields headers, std::shared_ptr<const std::string> body);

  const base::Url& url() const { return url_; }
  int statusCode() const { return statusCode_; }
  // Repeated fields come joined with ", ".
  const HeaderFields& allHeaderFields() const { return headers_; }
  // The field's value, the name given in any letter case.
  std::optional<std::string> value(std::string_view field) const { return headers_.value(field); }
  // The media type of "Content-Type" without its parameters, in lower case.
  std::optional<std::string> mimeType() const;
  const std::string& body() const { return *body_; }

 private:
  base::Url url_;
  int statusCode_;
  HeaderFields headers_;
  std::shared_ptr<const std::string> body_;  // never null
};

}  // namespace net
