#include "platform/ui/layout_anchor.h"

#include "platform/ui/constraint.h"

namespace ui {

std::shared_ptr<Constraint> LayoutAnchorBase::make(LayoutRelation relation, const LayoutAnchorBase* other,
                                                   double multiplier, double constant) const {
  return Constraint::make(item_.lock(), attribute_, relation, other ? other->item_.lock() : nullptr,
                          other ? other->attribute_ : LayoutAttribute::notAnAttribute, multiplier, constant);
}

}  // namespace ui
