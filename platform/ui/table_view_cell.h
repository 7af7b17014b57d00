// A table row's view: a reusable cell (content view, reuse identifier, selection) with the
// platform's selection style and the separator line the table draws along its bottom edge.
#pragma once

#include <memory>

#include "platform/ui/reusable_cell.h"

namespace ui {

// Raw values as the platform numbers them.
enum class TableViewCellSelectionStyle { none = 0, blue = 1, gray = 2, defaultStyle = 3 };

class TableViewCell : public ReusableCell {
 public:
  static constexpr double kSeparatorHeight = 0.5;

  TableViewCell();
  explicit TableViewCell(const Rect& frame);

  TableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
  void setSelectionStyle(TableViewCellSelectionStyle style) { selectionStyle_ = style; }
  // Where the separator line stops short of the edges (only left and right count).
  const EdgeInsets& separatorInset() const { return separatorInset_; }
  void setSeparatorInset(const EdgeInsets& inset);
  // The line itself, shown when the table draws separators; null until then.
  const std::shared_ptr<View>& separatorView() const { return separator_; }

  void layoutSubviews() override;

 private:
  friend class TableView;
  void showSeparator(bool shown, const Color& color);

  TableViewCellSelectionStyle selectionStyle_ = TableViewCellSelectionStyle::defaultStyle;
  EdgeInsets separatorInset_{0, 15, 0, 0};
  std::shared_ptr<View> separator_;
};

}  // namespace ui
