// A fault a test sets on one route of a local ad server: a changed status, headers, body or content
// type, a delay, a broken body or a dropped connection. Built by chaining:
//   server.setFault(mock::Route::adList, mock::Fault{}.withStatus(500).withBody(R"({"code":1})"));
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mock {

enum class BodyFault {
  none,
  malformedJson,  // a body that is not JSON at all
  truncatedJson,  // the first half of the answer's body, cut at a character boundary
  htmlErrorPage,  // an HTML error page as "text/html"; status 502 unless withStatus says otherwise
};

enum class ConnectionFault {
  none,
  dropBeforeResponse,  // the socket is shut down without a byte of response: the client sees an empty reply
  dropMidBody,         // status, headers and half of the body are sent, then the connection closes
};

struct Fault {
  std::optional<int> statusCode{};
  // In order; a value replaces a header of the same name, an absent value removes it. Values take the
  // serve-time placeholders ("{NOW+60}", ...).
  std::vector<std::pair<std::string, std::optional<std::string>>> headerChanges{};
  std::optional<std::string> replacementBody{};  // takes the serve-time placeholders too
  std::optional<std::string> contentType{};
  std::chrono::milliseconds delay{0};  // real time before the answer; cut short when the server stops
  BodyFault bodyFault = BodyFault::none;
  ConnectionFault connectionFault = ConnectionFault::none;
  bool isSticky = false;  // false: the fault answers one request and is gone

  Fault withStatus(int code) const;
  Fault withHeader(std::string name, std::string value) const;
  Fault withoutHeader(std::string name) const;
  Fault withBody(std::string body) const;
  Fault withContentType(std::string type) const;
  Fault withDelay(std::chrono::milliseconds time) const;
  Fault malformedJson() const;
  Fault truncatedJson() const;
  Fault htmlErrorPage() const;
  Fault dropConnection() const;
  Fault dropMidBody() const;
  Fault sticky() const;
};

}  // namespace mock
