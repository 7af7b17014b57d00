// Lays a view over the whole of another with four required constraints; the view must already be
// inside the other (or share an ancestor with it).
#pragma once

#include "platform/ui/constraint.h"
#include "platform/ui/view.h"

namespace velkor {

inline void pinEdges(ui::View& view, ui::View& container) {
  view.setTranslatesAutoresizingMaskIntoConstraints(false);
  ui::Constraint::activate({
      view.topAnchor().constraintEqualTo(container.topAnchor()),
      view.leadingAnchor().constraintEqualTo(container.leadingAnchor()),
      view.bottomAnchor().constraintEqualTo(container.bottomAnchor()),
      view.trailingAnchor().constraintEqualTo(container.trailingAnchor()),
  });
}

}  // namespace velkor
