// The postback of a participation: the click key is posted to the postback server once the answer's
// completion delay has passed, on the main queue, while a background task of its own keeps the app
// alive for it. The detail screen and the detail web page share it; a pending postback goes out even
// after its screen has gone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ui/application.h"

namespace velkor {

// One postback's background task. Each task is ended exactly once: by its own postback step, by its
// expiry, or by end(), whichever comes first; so a later postback neither orphans an earlier task
// nor ends it early.
class PostbackTask {
 public:
  // Ends the task if it still runs (writing "end" to the console); later calls do nothing.
  void end();
  bool isEnded() const { return ended_; }
  ui::BackgroundTaskIdentifier identifier() const { return identifier_; }

 private:
  friend std::shared_ptr<PostbackTask> schedulePostback(std::string clickKey, std::int64_t delaySeconds);
  ui::BackgroundTaskIdentifier identifier_ = ui::kInvalidBackgroundTask;
  bool ended_ = false;
};

// Schedules the postback of the click key after the delay (a negative one counts as none), then
// begins its background task. Main thread only.
std::shared_ptr<PostbackTask> schedulePostback(std::string clickKey, std::int64_t delaySeconds);

}  // namespace velkor
