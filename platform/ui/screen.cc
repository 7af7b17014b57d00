#include "platform/ui/screen.h"

#include <mutex>

namespace ui {
namespace {

struct Current {
  std::mutex mutex;
  Screen screen;
};

Current& current() {
  static auto* state = new Current;
  return *state;
}

}  // namespace

Screen Screen::main() {
  auto& state = current();
  std::lock_guard lock(state.mutex);
  return state.screen;
}

void Screen::setMain(Screen screen) {
  auto& state = current();
  std::lock_guard lock(state.mutex);
  state.screen = screen;
}

}  // namespace ui
