// The host app's delegate for what the offerwall cannot do alone: log the user in, and hear about
// failed participations. The SDK holds it weakly.
#pragma once

#include <memory>

#include "velkor/model/velkor_error.h"
#include "velkor/network/error.h"

namespace ui {
class ViewController;
}  // namespace ui

namespace velkor {

class VelkorOfferwallDelegate {
 public:
  virtual ~VelkorOfferwallDelegate() = default;

  // A screen needs a logged-in user; `viewController` is the screen asking.
  virtual void requestLogin(std::shared_ptr<ui::ViewController> viewController) = 0;
  // A participation the server refused. Optional.
  virtual void participateFailure(const VelkorError&) {}
  // Any other failure of a participation or a landing. Optional.
  virtual void error(const Error&) {}
};

}  // namespace velkor
