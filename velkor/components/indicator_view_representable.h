// What a loading indicator is to the navigation controller that lays it over the offerwall: a view
// it can start and stop. Neither call adds or removes the view; its owner does that.
#pragma once

#include <functional>
#include <memory>

#include "platform/ui/view.h"

namespace velkor {

class IndicatorViewRepresentable {
 public:
  virtual ~IndicatorViewRepresentable() = default;

  virtual void show() = 0;
  virtual void hide() = 0;
};

// A view class adopting IndicatorViewRepresentable, as a publisher names it: each call makes a new
// indicator. An empty function names nothing; a call may also make none.
using IndicatorViewClass = std::function<std::shared_ptr<ui::View>()>;

// The view as an indicator; null for a view that does not adopt the protocol.
inline IndicatorViewRepresentable* asIndicator(ui::View* view) { return dynamic_cast<IndicatorViewRepresentable*>(view); }

}  // namespace velkor
