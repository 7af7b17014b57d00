#include "tests/velkor/web/bridge_test_support.h"

#include <chrono>

#include <nlohmann/json.hpp>

namespace velkor::testing {
namespace {

constexpr std::string_view kPrefix = "onMessageReceive('";
constexpr std::string_view kMiddle = "', '";

// Reads one single-quoted script string's contents from `at`, up to its closing quote.
std::optional<std::string> readQuoted(const std::string& script, std::size_t& at) {
  std::string text;
  while (at < script.size()) {
    const char c = script[at++];
    if (c == '\'') return text;
    if (c != '\\') {
      text += c;
      continue;
    }
    if (at >= script.size()) return std::nullopt;
    const char escaped = script[at++];
    switch (escaped) {
      case 'n': text += '\n'; break;
      case 'r': text += '\r'; break;
      case 'u':
        // JSON reads the same \uXXXX escapes as a script does.
        text += nlohmann::json::parse("\"\\u" + script.substr(at, 4) + "\"").get<std::string>();
        at += 4;
        break;
      default: text += escaped;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<Reply> parseReply(const std::string& script) {
  if (script.rfind(kPrefix, 0) != 0) return std::nullopt;
  std::size_t at = kPrefix.size();
  auto id = readQuoted(script, at);
  if (!id || script.compare(at - 1, kMiddle.size(), kMiddle) != 0) return std::nullopt;
  at += kMiddle.size() - 1;
  auto answer = readQuoted(script, at);
  if (!answer || script.substr(at) != ")") return std::nullopt;
  return Reply{*id, *answer, false};
}

std::string answerIds(const std::string& answer) {
  auto list = nlohmann::json::parse(answer, nullptr, false);
  if (!list.is_array()) return answer;
  std::string ids;
  for (const auto& ad : list) ids += (ids.empty() ? "" : ",") + ad.value("id", nlohmann::json()).dump();
  return ids;
}

void ReplyLog::add(Reply reply) {
  std::lock_guard lock(mutex_);
  replies_.push_back(std::move(reply));
}

std::vector<Reply> ReplyLog::all() const {
  std::lock_guard lock(mutex_);
  return replies_;
}

std::size_t ReplyLog::count() const {
  std::lock_guard lock(mutex_);
  return replies_.size();
}

bool ReplyLog::waitFor(std::size_t expected, double seconds) const {
  const bool arrived =
      dispatch::main_loop::runUntil([&] { return count() >= expected; }, dispatch::Seconds(seconds));
  dispatch::main_loop::runUntil([] { return false; }, dispatch::Seconds(0.1));
  return arrived && count() == expected;
}

void RecordingBridge::evaluateReply(const std::string& script) {
  auto reply = parseReply(script);
  ASSERT_TRUE(reply) << "not a reply: " << script;
  reply->onMain = dispatch::main_loop::isMainThread();
  log_->add(std::move(*reply));
}

}  // namespace velkor::testing
