#include "velkor/core/debouncer.h"

#include "platform/base/date.h"

namespace velkor {

bool Debouncer::debounce(const std::function<void()>& action) {
  const double now = base::Date::now().timeIntervalSince1970();
  if (now - lastTapTime_ < debounceTime) return false;
  if (action) action();
  lastTapTime_ = now;
  return true;
}

}  // namespace velkor
