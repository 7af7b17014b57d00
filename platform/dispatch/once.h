// Once-initialisation. A value computed once per process is a function-local static: C++
// guarantees it is built exactly once even when several threads reach it first together, and
// the others wait until it is ready. Singletons follow the same rule, built by `new` so that they
// are never destroyed:
//
//   const std::string& deviceModel() {
//     static const std::string model = lookUpModel();
//     return model;
//   }
//
// Once is for what a static cannot say: work done once per object rather than per process.
#pragma once

#include <mutex>
#include <utility>

namespace dispatch {

class Once {
 public:
  // Runs `work` the first time only; concurrent callers wait until it has finished. If `work`
  // throws, the next call tries again.
  template <class Work>
  void run(Work&& work) {
    std::call_once(flag_, std::forward<Work>(work));
  }

 private:
  std::once_flag flag_;
};

}  // namespace dispatch
