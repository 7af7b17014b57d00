// One local ad server per server kind of the SDK's stage tables, sharing one request log: what a test or
// the sample app points every server address at.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "tools/mock-server/mock_server.h"

namespace mock {

// The kind keys of the stage tables; each server of a group is named after one.
inline constexpr std::string_view kLogic = "LOGIC";            // ad detail, actions, share links
inline constexpr std::string_view kLogicList = "LOGIC_LIST";   // ad list, placements, tags, banners, popups
inline constexpr std::string_view kPostback = "POSTBACK";      // postbacks
inline constexpr std::string_view kContact = "CONTACT";        // the help page
inline constexpr std::string_view kLumberjack = "LUMBERJACK";  // usage events
inline constexpr std::array<std::string_view, 5> kServerKinds = {kLogic, kLogicList, kPostback, kContact,
                                                                 kLumberjack};

class MockServerGroup {
 public:
  // `options.log` is ignored: the group's servers share a log of their own.
  explicit MockServerGroup(MockServerOptions options = {});

  // Starts the five servers; false with error() set when one fails (the others are stopped again).
  bool start();
  void stop();
  const std::string& error() const { return error_; }

  MockServer& server(std::string_view kind);
  RequestLog& log() const { return *log_; }
  std::shared_ptr<RequestLog> sharedLog() const { return log_; }

  // Kind key to address, in the form of a stage table: base URLs for LOGIC, LOGIC_LIST and POSTBACK,
  // the help page's "/help_requests/new?headless=true" for CONTACT and "/topics/ofw_lumberjack" for
  // LUMBERJACK.
  std::map<std::string, std::string> serverTable() const;

  void clearFaults();

 private:
  std::shared_ptr<RequestLog> log_;
  std::map<std::string, std::unique_ptr<MockServer>, std::less<>> servers_;
  std::string error_;
};

}  // namespace mock
