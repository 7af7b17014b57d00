// The process-wide network thread: one libcurl multi handle that runs every session's transfers,
// keeps the connection cache (and shares host names and TLS sessions) across them, and reuses
// transfer handles. Only this folder uses it.
#pragma once

#include <memory>

namespace net {

class DataTask;

class Engine {
 public:
  // Started on first use and never stopped.
  static Engine& shared();

  // The engine keeps the task until it calls the task's finish().
  void start(std::shared_ptr<DataTask> task);
  void cancel(std::shared_ptr<DataTask> task);

 private:
  Engine();
  struct Impl;
  Impl* impl_;
};

}  // namespace net
