#include "velkor/core/velkor_session.h"

#include <cstdint>

#include "platform/base/date.h"
#include "platform/base/uuid.h"

namespace velkor {

VelkorSession::VelkorSession() : requestId_(makeId()) {}

std::string VelkorSession::makeId() {
  const auto millis = static_cast<std::int64_t>(base::Date::now().timeIntervalSince1970() * 1000);
  return "t" + std::to_string(millis) + "-" + base::Uuid().uuidString();
}

std::string VelkorSession::requestId() const {
  std::lock_guard lock(mutex_);
  return requestId_;
}

void VelkorSession::setRequestId(std::string requestId) {
  std::lock_guard lock(mutex_);
  requestId_ = std::move(requestId);
}

std::optional<std::string> VelkorSession::actionId() const {
  std::lock_guard lock(mutex_);
  return actionId_;
}

std::optional<std::string> VelkorSession::tabSlug() const {
  std::lock_guard lock(mutex_);
  return tabSlug_;
}

std::optional<std::string> VelkorSession::tagSlug() const {
  std::lock_guard lock(mutex_);
  return tagSlug_;
}

void VelkorSession::clear() {
  std::lock_guard lock(mutex_);
  actionId_.reset();
  tabSlug_.reset();
  tagSlug_.reset();
}

void VelkorSession::openRequest(std::optional<std::string> tabSlug, std::optional<std::string> tagSlug) {
  auto actionId = makeId();
  std::lock_guard lock(mutex_);
  actionId_ = std::move(actionId);
  tabSlug_ = std::move(tabSlug);
  tagSlug_ = std::move(tagSlug);
}

std::map<std::string, std::string> VelkorSession::toHash() const {
  std::lock_guard lock(mutex_);
  std::map<std::string, std::string> hash{{"request_id", requestId_}};
  if (actionId_) hash.emplace("action_id", *actionId_);
  if (tabSlug_) hash.emplace("tab_slug", *tabSlug_);
  if (tagSlug_) hash.emplace("tag_slug", *tagSlug_);
  return hash;
}

}  // namespace velkor
