// A server-authored alert: its kind, message, button titles and the address its submit button
// opens. Comes with server errors and participation answers.
#pragma once

#include <optional>
#include <string>

namespace base {
class KeyedDecodingContainer;
class KeyedEncodingContainer;
}  // namespace base

namespace velkor {

struct Dialog {
  // "alert" for a dialog made in code; a decoded dialog has the server's kind or none.
  // "confirm" asks for a cancel button.
  std::optional<std::string> type = "alert";
  std::optional<std::string> message;
  std::optional<std::string> positiveButton;
  std::optional<std::string> negativeButton;
  std::optional<std::string> positiveCallbackUrl;

  // The message as shown: the app's display name filled in, mark-up tags removed; empty without a
  // message.
  std::string mMessage() const;

  static Dialog decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const Dialog&, const Dialog&) = default;
};

}  // namespace velkor
