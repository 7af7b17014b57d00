// The system's error record: a code, a message for the user and an optional server dialog. The
// servers send it in the body of a failed action; the SDK also raises it itself. It travels to
// callers as a base::Error of the domain "VelKOR".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/attributed_string.h"
#include "platform/base/error.h"
#include "velkor/model/dialog.h"

namespace base {
class KeyedDecodingContainer;
class KeyedEncodingContainer;
}  // namespace base

namespace velkor {

// The host app's display name ("CFBundleDisplayName" of the main bundle), when it is text.
std::optional<std::string> hostDisplayName();

struct VelkorError {
  static constexpr const char* kErrorDomain = "VelKOR";

  std::int64_t code = 0;
  std::optional<std::string> message;
  std::optional<Dialog> dialog;

  static std::string errorDomain() { return kErrorDomain; }
  std::int64_t errorCode() const { return code; }
  std::optional<std::string> errorDescription() const { return message; }

  // The message as shown, highlighted; empty without a message.
  base::AttributedString mMessage() const { return attributedMessage(message.value_or("")); }

  // Domain "VelKOR", the code, and the message as its description.
  base::Error toError() const;
  operator base::Error() const { return toError(); }

  // A server text made ready to show: every "{PUB_APP_DISPLAY_NAME}" becomes the host app's display
  // name (when its bundle has one as text), then each "<mark>...</mark>" becomes its highlighted
  // inner text.
  static base::AttributedString attributedMessage(std::string_view text);

  static VelkorError decode(base::KeyedDecodingContainer& container);
  void encode(base::KeyedEncodingContainer& container) const;

  friend bool operator==(const VelkorError&, const VelkorError&) = default;
};

}  // namespace velkor
