#include "velkor/model/server_date.h"

#include "platform/base/date.h"
#include "platform/base/date_formatter.h"

namespace velkor {

double serverDateSeconds(const std::optional<std::string>& text) {
  if (!text) return 0;
  std::optional<base::Date> date = base::DateFormatter().date(*text);
  return date ? date->timeIntervalSince1970() : 0;
}

std::string serverDateText(double secondsSince1970) {
  return base::DateFormatter().string(base::Date(secondsSince1970));
}

}  // namespace velkor
