// A blocking libcurl request for the local ad server's own tests.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace mock {

struct HttpResult {
  CURLcode code = CURLE_OK;
  long status = 0;
  std::string contentType;
  std::string body;
  std::vector<std::string> headerLines;

  // The value of the first response header of that name, any letter case; empty when absent.
  std::string header(const std::string& name) const;
  nlohmann::json json() const { return nlohmann::json::parse(body, nullptr, false); }
};

HttpResult fetch(const std::string& url, const std::string& method = "GET", const std::string& body = "",
                 const std::vector<std::string>& headers = {},
                 std::chrono::milliseconds timeout = std::chrono::seconds(10));
inline HttpResult get(const std::string& url) { return fetch(url); }

// Sends the bytes of a request as they are to 127.0.0.1:port and returns every byte answered until the
// server closes the connection: what a client parser would hide, such as bytes after a complete answer.
std::string exchangeRaw(int port, const std::string& request);

}  // namespace mock
