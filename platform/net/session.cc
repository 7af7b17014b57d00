#include "platform/net/session.h"

#include "platform/net/engine.h"

namespace net {

Outcome Outcome::success(Data data, Response response) {
  Outcome outcome;
  outcome.data = std::move(data);
  outcome.response = std::move(response);
  return outcome;
}

Outcome Outcome::failure(Error error) {
  Outcome outcome;
  outcome.error = std::move(error);
  return outcome;
}

std::shared_ptr<Session> Session::make() { return make(dispatch::Queue::serial("net.session")); }

std::shared_ptr<Session> Session::make(std::shared_ptr<dispatch::Queue> delegateQueue) {
  if (!delegateQueue) return make();
  return std::shared_ptr<Session>(new Session(std::move(delegateQueue)));
}

std::shared_ptr<DataTask> Session::dataTask(Request request, Completion completion) {
  TaskSettings settings;
  {
    std::lock_guard lock(mutex_);
    settings = settings_;
  }
  return std::shared_ptr<DataTask>(
      new DataTask(shared_from_this(), std::move(request), std::move(completion), std::move(settings)));
}

void Session::setMaximumBodySize(std::size_t bytes) {
  std::lock_guard lock(mutex_);
  settings_.maximumBodySize = bytes;
}

std::size_t Session::maximumBodySize() const {
  std::lock_guard lock(mutex_);
  return settings_.maximumBodySize;
}

void Session::setCertificateAuthorityForTesting(std::string pem) {
  std::lock_guard lock(mutex_);
  settings_.certificateAuthority = std::make_shared<const std::string>(std::move(pem));
}

DataTask::DataTask(std::shared_ptr<Session> session, Request request, Completion completion,
                   TaskSettings settings)
    : session_(std::move(session)),
      request_(std::move(request)),
      settings_(std::move(settings)),
      completion_(std::move(completion)) {}

DataTask::State DataTask::state() const {
  std::lock_guard lock(mutex_);
  return state_;
}

void DataTask::resume() {
  {
    std::lock_guard lock(mutex_);
    if (state_ != State::Suspended) return;
    state_ = State::Running;
  }
  Engine::shared().start(shared_from_this());
}

void DataTask::cancel() {
  State was;
  {
    std::lock_guard lock(mutex_);
    was = state_;
    if (was == State::Running) state_ = State::Canceling;
  }
  if (was == State::Suspended) finish(Outcome::failure(Error::make(ErrorCode::Cancelled)));
  // The network thread owns a running transfer, so it is the one to end it.
  if (was == State::Running) Engine::shared().cancel(shared_from_this());
}

void DataTask::finish(Outcome outcome) {
  Completion completion;
  {
    std::lock_guard lock(mutex_);
    if (state_ == State::Completed) return;
    state_ = State::Completed;
    completion = std::move(completion_);
  }
  if (!completion) return;
  // The queue keeps itself alive until the block has run, however soon the session goes.
  session_->delegateQueue()->async([completion = std::move(completion), outcome = std::move(outcome)]() mutable {
    completion(std::move(outcome.data), std::move(outcome.response), std::move(outcome.error));
  });
}

}  // namespace net
