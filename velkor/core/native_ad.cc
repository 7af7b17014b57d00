#include "velkor/core/native_ad.h"

#include "velkor/core/text_replace.h"

namespace velkor {

std::shared_ptr<NativeAd> makeNativeAd(const Ad& ad) {
  std::shared_ptr<NativeAd> native(new NativeAd());
  native->id_ = ad.id;
  native->title_ = ad.makeAttributedString(ad.title).string();
  native->subtitle_ = ad.makeAttributedShortString(ad.subtitle.value_or("")).string();
  native->thumbImage_ = ad.thumbOriginImage;
  if (ad.iconImage) native->iconImage_ = replacingOccurrences(*ad.iconImage, ".webp", ".jpg");
  native->reward_ = ad.reward;
  native->rewardText_ = ad.rewardText;
  return native;
}

}  // namespace velkor
