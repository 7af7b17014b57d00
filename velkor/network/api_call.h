// Sends one request of a REST client and hands its outcome, turned into a result by the route's
// step, to the caller exactly once: on the main queue (the step runs there too), or on the URL
// session's own queue. A request that could not be made fails the same way, and nothing is sent.
#pragma once

#include <functional>
#include <string_view>
#include <utility>

#include "platform/dispatch/queue.h"
#include "platform/net/session.h"
#include "velkor/network/error.h"

namespace velkor {

enum class Delivery { mainQueue, sessionQueue };

template <class T>
using Step = std::function<Result<T>(const net::Outcome&)>;
template <class T>
using Completion = std::function<void(Result<T>)>;

// Starts the request on a new session; `done` gets the outcome on the main queue, or on the
// session's own queue.
void sendRequest(net::Request request, Delivery delivery, std::function<void(net::Outcome)> done);

// Writes the address the request went to, when the debug flag is on: its query holds the user's ids.
void printRequestUrl(const Result<net::Request>& request, std::string_view prefix = {});

// Runs the block on the main queue, or right here.
void deliverBlock(Delivery delivery, std::function<void()> block);

template <class T>
void runRequest(Result<net::Request> request, Delivery delivery, Step<T> step, Completion<T> completion) {
  if (!request) {
    // Already the error to report: the step has nothing to judge.
    deliverBlock(delivery, [error = request.error(), completion = std::move(completion)] {
      if (completion) completion(error);
    });
    return;
  }
  sendRequest(std::move(request).value(), delivery,
              [step = std::move(step), completion = std::move(completion)](net::Outcome outcome) {
                // The step runs even for a caller that wants no answer: it may update shared state.
                Result<T> result = step(outcome);
                if (completion) completion(std::move(result));
              });
}

// A completion that calls one of two callbacks; an empty callback is skipped.
template <class T>
Completion<T> splitCompletion(std::function<void(T)> onSuccess, std::function<void(Error)> onError) {
  return [onSuccess = std::move(onSuccess), onError = std::move(onError)](Result<T> result) {
    if (result.ok()) {
      if (onSuccess) onSuccess(std::move(result).value());
    } else if (onError) {
      onError(result.error());
    }
  };
}

}  // namespace velkor
