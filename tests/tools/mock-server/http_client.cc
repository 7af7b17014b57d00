#include "http_client.h"

#include <algorithm>
#include <cctype>

namespace mock {
namespace {

size_t appendBody(char* data, size_t size, size_t count, void* out) {
  static_cast<std::string*>(out)->append(data, size * count);
  return size * count;
}

size_t appendHeader(char* data, size_t size, size_t count, void* out) {
  std::string line(data, size * count);
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  if (!line.empty()) static_cast<std::vector<std::string>*>(out)->push_back(line);
  return size * count;
}

std::string lower(std::string text) {
  std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

}  // namespace

std::string HttpResult::header(const std::string& name) const {
  const std::string prefix = lower(name) + ":";
  for (const auto& line : headerLines) {
    if (lower(line.substr(0, prefix.size())) != prefix) continue;
    std::string value = line.substr(prefix.size());
    value.erase(0, value.find_first_not_of(' '));
    return value;
  }
  return {};
}

HttpResult fetch(const std::string& url, const std::string& method, const std::string& body,
                 const std::vector<std::string>& headerLines, std::chrono::milliseconds timeout) {
  HttpResult result;
  CURL* curl = curl_easy_init();
  curl_slist* headers = nullptr;
  for (const auto& line : headerLines) headers = curl_slist_append(headers, line.c_str());
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method.c_str());
  if (method == "POST") {
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
  }
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &appendBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &result.body);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &appendHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &result.headerLines);
  result.code = curl_easy_perform(curl);
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
  char* type = nullptr;
  if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) result.contentType = type;
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  return result;
}

}  // namespace mock
