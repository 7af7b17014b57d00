// The current user id of the process: set by the host (or restored at start-up) on the main
// thread, read by every request thread. Every access goes through one lock.
#pragma once

#include <optional>
#include <string>

namespace velkor {

class UserProfile {
 public:
  // None until a user is set.
  static std::optional<std::string> uid();
  static void setUid(std::optional<std::string> uid);
};

}  // namespace velkor
