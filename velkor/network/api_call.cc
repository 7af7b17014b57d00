#include "velkor/network/api_call.h"

#include <string>

#include "platform/base/log.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {

void sendRequest(net::Request request, Delivery delivery, std::function<void(net::Outcome)> done) {
  auto session = delivery == Delivery::mainQueue ? net::Session::make(dispatch::main()) : net::Session::make();
  auto task = session->dataTask(
      std::move(request), [done = std::move(done)](net::Data data, std::optional<net::Response> response,
                                                   std::optional<net::Error> error) {
        done(net::Outcome{std::move(data), std::move(response), std::move(error)});
      });
  task->resume();
}

void deliverBlock(Delivery delivery, std::function<void()> block) {
  if (delivery == Delivery::mainQueue) {
    dispatch::main()->async(std::move(block));
  } else {
    block();
  }
}

void printRequestUrl(const Result<net::Request>& request, std::string_view prefix) {
  if (!request || !VelkorInternal::shared().debugEnabled()) return;
  base::console(std::string(prefix) + request->url().absoluteString());
}

}  // namespace velkor
