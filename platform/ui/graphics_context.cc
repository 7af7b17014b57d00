#include "platform/ui/graphics_context.h"

namespace ui {
namespace {

thread_local GraphicsContext* tCurrent = nullptr;

}  // namespace

GraphicsContext* GraphicsContext::current() { return tCurrent; }

GraphicsContext::Scope::Scope(GraphicsContext& context) : previous_(tCurrent) { tCurrent = &context; }

GraphicsContext::Scope::~Scope() { tCurrent = previous_; }

}  // namespace ui
