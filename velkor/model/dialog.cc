#include "velkor/model/dialog.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"
#include "velkor/model/velkor_error.h"

namespace velkor {

std::string Dialog::mMessage() const {
  return VelkorError::attributedMessage(message.value_or("")).string();
}

Dialog Dialog::decode(base::KeyedDecodingContainer& c) {
  Dialog dialog;
  dialog.type = c.decodeIfPresent<std::string>("type");
  dialog.message = c.decodeIfPresent<std::string>("message");
  dialog.positiveButton = c.decodeIfPresent<std::string>("positiveButton");
  dialog.negativeButton = c.decodeIfPresent<std::string>("negativeButton");
  dialog.positiveCallbackUrl = c.decodeIfPresent<std::string>("positiveCallbackUrl");
  return dialog;
}

void Dialog::encode(base::KeyedEncodingContainer& c) const {
  c.encodeIfPresent("type", type);
  c.encodeIfPresent("message", message);
  c.encodeIfPresent("positiveButton", positiveButton);
  c.encodeIfPresent("negativeButton", negativeButton);
  c.encodeIfPresent("positiveCallbackUrl", positiveCallbackUrl);
}

}  // namespace velkor
