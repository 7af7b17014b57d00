#include "velkor/core/user_info.h"

namespace velkor {

UserInfo::Snapshot UserInfo::snapshot() const {
  std::lock_guard lock(mutex_);
  return state_;
}

std::optional<std::string> UserInfo::uid() const {
  std::lock_guard lock(mutex_);
  return state_.uid;
}

void UserInfo::setUid(std::optional<std::string> uid) {
  std::lock_guard lock(mutex_);
  state_.uid = std::move(uid);
}

int UserInfo::gender() const {
  std::lock_guard lock(mutex_);
  return state_.gender;
}

int UserInfo::birthYear() const {
  std::lock_guard lock(mutex_);
  return state_.birthYear;
}

bool UserInfo::setGender(int gender) {
  std::lock_guard lock(mutex_);
  if (state_.gender == gender) return false;
  state_.gender = gender;
  return true;
}

bool UserInfo::setBirthYear(int birthYear) {
  std::lock_guard lock(mutex_);
  if (state_.birthYear == birthYear) return false;
  state_.birthYear = birthYear;
  return true;
}

}  // namespace velkor
