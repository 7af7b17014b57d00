#include "tests/velkor/web/bridge_test_support.h"

#include <chrono>

#include <nlohmann/json.hpp>

namespace velkor::testing {
namespace {

// Without its \' escapes, an escaped script text reads as the inside of a JSON string.
std::optional<std::string> unescape(std::string text) {
  for (auto at = text.find("\\'"); at != std::string::npos; at = text.find("\\'", at + 1)) text.erase(at, 1);
  auto read = nlohmann::json::parse("\"" + text + "\"", nullptr, false);
  if (!read.is_string()) return std::nullopt;
  return read.get<std::string>();
}

}  // namespace

std::optional<Reply> parseReply(const std::string& script) {
  constexpr std::string_view kPrefix = "onMessageReceive('", kMiddle = "', '", kSuffix = "')";
  if (!script.starts_with(kPrefix) || !script.ends_with(kSuffix)) return std::nullopt;
  // Quotes inside the texts are escaped: the first bare "', '" is the one between them.
  const auto middle = script.find(kMiddle, kPrefix.size());
  if (middle == std::string::npos) return std::nullopt;
  auto id = unescape(script.substr(kPrefix.size(), middle - kPrefix.size()));
  const auto start = middle + kMiddle.size();
  auto answer = unescape(script.substr(start, script.size() - kSuffix.size() - start));
  if (!id || !answer) return std::nullopt;
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
