// What the host app tells about its user: kept for the host's uid, the gender and the birth year
// that ad targeting reads. Written on the main thread, read on the core's queues: every access
// goes through one lock, and readers that need several fields take one snapshot.
#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "velkor/core/gender.h"

namespace velkor {

class UserInfo {
 public:
  // The birth year that means "not told".
  static constexpr int kUnknownBirthYear = 1800;

  struct Snapshot {
    std::optional<std::string> uid;
    // A `Gender` raw value; the host may pass any integer.
    int gender = rawValue(Gender::unknown);
    int birthYear = kUnknownBirthYear;

    friend bool operator==(const Snapshot&, const Snapshot&) = default;
  };

  UserInfo() = default;
  UserInfo(const UserInfo&) = delete;
  UserInfo& operator=(const UserInfo&) = delete;

  Snapshot snapshot() const;

  std::optional<std::string> uid() const;
  void setUid(std::optional<std::string> uid);
  int gender() const;
  int birthYear() const;

  // Each stores the value and tells whether it differed from the one held, in one step, so two
  // threads setting the same new value see exactly one change.
  bool setGender(int gender);
  bool setBirthYear(int birthYear);

 private:
  mutable std::mutex mutex_;
  Snapshot state_;
};

}  // namespace velkor
