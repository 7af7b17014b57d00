#include "http_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

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

std::string exchangeRaw(int port, const std::string& request) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string answer;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size())) {
    char buffer[4096];
    for (ssize_t got; (got = recv(fd, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  return answer;
}

}  // namespace mock
