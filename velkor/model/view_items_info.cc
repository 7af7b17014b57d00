#include "velkor/model/view_items_info.h"

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace velkor {

ViewItemsInfo ViewItemsInfo::decode(base::KeyedDecodingContainer& c) {
  ViewItemsInfo items;
  items.titleBar = c.decodeIfPresent<std::string>("titleBar");
  items.title = c.decodeIfPresent<std::string>("title");
  items.subtitle = c.decodeIfPresent<std::string>("subtitle");
  items.image = c.decodeIfPresent<std::string>("image");
  items.callToAction = c.decodeIfPresent<std::string>("callToAction");
  items.callToActionEnabled = c.decodeIfPresent<bool>("callToActionEnabled");
  items.eventNotice = c.decodeIfPresent<std::string>("eventNotice");
  items.eventNoticeImage = c.decodeIfPresent<std::string>("eventNoticeImage");
  items.eventNoticeDarkImage = c.decodeIfPresent<std::string>("eventNoticeDarkImage");
  items.noticeDetail = c.decodeIfPresent<std::string>("noticeDetail");
  return items;
}

void ViewItemsInfo::encode(base::KeyedEncodingContainer& c) const {
  c.encodeIfPresent("titleBar", titleBar);
  c.encodeIfPresent("title", title);
  c.encodeIfPresent("subtitle", subtitle);
  c.encodeIfPresent("image", image);
  c.encodeIfPresent("callToAction", callToAction);
  c.encodeIfPresent("callToActionEnabled", callToActionEnabled);
  c.encodeIfPresent("eventNotice", eventNotice);
  c.encodeIfPresent("eventNoticeImage", eventNoticeImage);
  c.encodeIfPresent("eventNoticeDarkImage", eventNoticeDarkImage);
  c.encodeIfPresent("noticeDetail", noticeDetail);
}

}  // namespace velkor
