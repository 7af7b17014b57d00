#include "velkor/model/velkor_error.h"

#include "platform/base/bundle.h"
#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"
#include "velkor/components/attributed_string_extensions.h"

namespace velkor {

std::optional<std::string> hostDisplayName() {
  const auto name = base::Bundle::main().object("CFBundleDisplayName");
  if (!name || !name->is_string()) return std::nullopt;
  return name->get<std::string>();
}

base::Error VelkorError::toError() const {
  return base::Error{kErrorDomain, static_cast<long>(code), message};
}

base::AttributedString VelkorError::attributedMessage(std::string_view text) {
  base::AttributedString result(text);
  if (const auto name = hostDisplayName()) replacePlaceholder(result, "{PUB_APP_DISPLAY_NAME}", *name, false);
  highlightMarkedText(result);
  return result;
}

VelkorError VelkorError::decode(base::KeyedDecodingContainer& c) {
  VelkorError error;
  error.code = c.decode<std::int64_t>("code");
  error.message = c.decodeIfPresent<std::string>("message");
  error.dialog = c.decodeIfPresent<Dialog>("dialog");
  return error;
}

void VelkorError::encode(base::KeyedEncodingContainer& c) const {
  c.encode("code", code);
  c.encodeIfPresent("message", message);
  c.encodeIfPresent("dialog", dialog);
}

}  // namespace velkor
