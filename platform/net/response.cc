#include "platform/net/response.h"

#include <algorithm>
#include <cctype>

namespace net {

Response::Response(base::Url url, int statusCode, HeaderFields headers, std::string body)
    : Response(std::move(url), statusCode, std::move(headers), std::make_shared<const std::string>(std::move(body))) {}

Response::Response(base::Url url, int statusCode, HeaderFields headers, std::shared_ptr<const std::string> body)
    : url_(std::move(url)),
      statusCode_(statusCode),
      headers_(std::move(headers)),
      body_(body ? std::move(body) : std::make_shared<const std::string>()) {}

std::optional<std::string> Response::mimeType() const {
  std::optional<std::string> contentType = headers_.value("Content-Type");
  if (!contentType) return std::nullopt;
  std::string type = contentType->substr(0, contentType->find(';'));
  auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
  type.erase(type.begin(), std::find_if_not(type.begin(), type.end(), isSpace));
  type.erase(std::find_if_not(type.rbegin(), type.rend(), isSpace).base(), type.end());
  if (type.empty()) return std::nullopt;
  std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return std::tolower(c); });
  return type;
}

}  // namespace net
