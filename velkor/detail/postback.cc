#include "velkor/detail/postback.h"

#include <algorithm>

#include "platform/base/log.h"
#include "platform/dispatch/queue.h"
#include "velkor/network/velkor_api_client.h"

namespace velkor {

void PostbackTask::end() {
  if (ended_ || identifier_ == ui::kInvalidBackgroundTask) return;
  ended_ = true;
  base::console("end");
  ui::Application::shared().endBackgroundTask(identifier_);
}

std::shared_ptr<PostbackTask> schedulePostback(std::string clickKey, std::int64_t delaySeconds) {
  auto task = std::make_shared<PostbackTask>();
  dispatch::main()->asyncAfter(dispatch::Seconds(static_cast<double>(std::max<std::int64_t>(delaySeconds, 0))),
                               [task, clickKey = std::move(clickKey)] {
                                 VelkorApiClient::postback(clickKey, [](std::string) {}, [](Error) {});
                                 task->end();
                               });
  task->identifier_ = ui::Application::shared().beginBackgroundTask([task] { task->end(); });
  return task;
}

}  // namespace velkor
