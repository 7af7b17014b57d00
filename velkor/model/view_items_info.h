// The per-ad texts and images of the ad's detail page, sent optionally with any ad. Its title,
// subtitle, call to action, event notice and notice detail are templates with reward marks.
#pragma once

#include <optional>
#include <string>

namespace base {
class KeyedDecodingContainer;
class KeyedEncodingContainer;
}  // namespace base

namespace velkor {

struct ViewItemsInfo {
  std::optional<std::string> titleBar;
  std::optional<std::string> title;
  std::optional<std::string> subtitle;
  std::optional<std::string> image;
  std::optional<std::string> callToAction;
  std::optional<bool> callToActionEnabled;
  std::optional<std::string> eventNotice;
  std::optional<std::string> eventNoticeImage;
  std::optional<std::string> eventNoticeDarkImage;
  std::optional<std::string> noticeDetail;

  // An absent flag reads false: a button the server did not say is enabled stays disabled.
  bool isCallToActionEnabled() const { return callToActionEnabled.value_or(false); }

  static ViewItemsInfo decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const ViewItemsInfo&, const ViewItemsInfo&) = default;
};

}  // namespace velkor
