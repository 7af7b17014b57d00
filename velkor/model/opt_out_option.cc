#include "velkor/model/opt_out_option.h"

#include <string_view>

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor {
namespace {

constexpr std::string_view kActionTextPlaceholder = "{ACTION_TEXT}";

// One pass left to right: an action text that itself holds the placeholder is not searched again.
std::string replacingActionText(std::string_view text, std::string_view actionText) {
  std::string result;
  for (auto at = text.find(kActionTextPlaceholder); at != std::string_view::npos;
       at = text.find(kActionTextPlaceholder)) {
    result.append(text.substr(0, at)).append(actionText);
    text.remove_prefix(at + kActionTextPlaceholder.size());
  }
  result.append(text);
  return result;
}

std::string textOr(const base::KeyedDecodingContainer& container, base::CodingKey key, const char* fallback) {
  return container.decodeIfPresent<std::string>(key).value_or(fallback);
}

}  // namespace

OptOutOption OptOutOption::decode(base::KeyedDecodingContainer& c) {
  OptOutOption option;
  option.actionText = textOr(c, "actionText", "참여");
  option.startButtonText = c.decodeIfPresent<std::string>("startButtonText");
  option.actionButtonText = c.decodeIfPresent<std::string>("actionButtonText");
  if (!option.actionButtonText) option.actionButtonText = option.startButtonText.value_or("처음이 아니에요");
  option.title = replacingActionText(
      textOr(c, "title", "이미 {ACTION_TEXT}한 적이 있나요?\n새로운 미션으로 바꿀 수 있어요"),
      *option.actionText);
  option.message =
      textOr(c, "message", "미션 바꾸기를 누르면 다른 미션으로 바뀌고, 이 미션은 다시 나오지 않아요.");
  option.positiveButtonText = textOr(c, "positiveButtonText", "미션 바꾸기");
  option.negativeButtonText = textOr(c, "negativeButtonText", "안 바꿀래요");
  return option;
}

void OptOutOption::encode(base::KeyedEncodingContainer& c) const {
  c.encodeIfPresent("startButtonText", startButtonText);
  c.encodeIfPresent("actionButtonText", actionButtonText);
  c.encodeIfPresent("title", title);
  c.encodeIfPresent("message", message);
  c.encodeIfPresent("positiveButtonText", positiveButtonText);
  c.encodeIfPresent("negativeButtonText", negativeButtonText);
  c.encodeIfPresent("actionText", actionText);
}

}  // namespace velkor
