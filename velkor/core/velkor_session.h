// The ids that tie the requests of one offerwall visit together: the visit's request id and the
// current action (an opened tab list or a deep-linked ad) with the tab and tag it happened in.
// Written on the main thread, read on request threads: every access goes through one lock.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace velkor {

class VelkorSession {
 public:
  // A new visit: a fresh request id and no action.
  VelkorSession();
  VelkorSession(const VelkorSession&) = delete;
  VelkorSession& operator=(const VelkorSession&) = delete;

  // "t", the current time in whole milliseconds since 1970, "-" and a new UUID: unique even for
  // two ids made within the same millisecond.
  static std::string makeId();

  std::string requestId() const;
  void setRequestId(std::string requestId);
  std::optional<std::string> actionId() const;
  std::optional<std::string> tabSlug() const;
  std::optional<std::string> tagSlug() const;

  // Drops the action and its slugs; the request id stays.
  void clear();
  // Starts a new action in the given tab and tag (none stays none).
  void openRequest(std::optional<std::string> tabSlug, std::optional<std::string> tagSlug);

  // "request_id" always; "action_id", "tab_slug" and "tag_slug" only when held (empty text counts
  // as held). Taken in one step, so a request never mixes two actions.
  std::map<std::string, std::string> toHash() const;

 private:
  mutable std::mutex mutex_;
  std::string requestId_;
  std::optional<std::string> actionId_;
  std::optional<std::string> tabSlug_;
  std::optional<std::string> tagSlug_;
};

}  // namespace velkor
