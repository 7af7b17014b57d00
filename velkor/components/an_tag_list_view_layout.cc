// The tag strip's row layout: one plain row view per row, one holder view per chip (it carries the
// chip's shadow), the chip inside its holder. Rows are measured against the main screen's width, not
// the strip's own, and mirrored right to left.
#include <algorithm>

#include "platform/ui/bezier_path.h"
#include "platform/ui/screen.h"
#include "velkor/components/an_tag_list_view.h"

namespace velkor {

struct ANTagListView::RowState {
  double screenWidth = 0;
  double availableWidth = 0;
  ui::AffineTransform transform;
  Alignment alignment = Alignment::left;
  int row = 0;
  double rowWidth = 0;
  std::shared_ptr<ui::View> rowView;
};

namespace {

void setFrameY(ui::View& view, double y) {
  auto frame = view.frame();
  frame.origin.y = y;
  view.setFrame(frame);
}

void setFrameWidth(ui::View& view, double width) {
  auto frame = view.frame();
  frame.size.width = width;
  view.setFrame(frame);
}

}  // namespace

void ANTagListView::rearrangeViews() {
  setCanCancelContentTouches(true);
  setShowsHorizontalScrollIndicator(false);
  for (const auto& tagView : tagViews_) tagView->removeFromSuperview();
  for (const auto& holder : tagBackgroundViews_) holder->removeFromSuperview();
  for (const auto& rowView : rowViews_) rowView->removeFromSuperview();
  rowViews_.clear();

  const bool rightToLeft = effectiveUserInterfaceLayoutDirection() == ui::UserInterfaceLayoutDirection::rightToLeft;
  RowState state;
  state.alignment = alignment_;
  if (alignment_ == Alignment::leading) state.alignment = rightToLeft ? Alignment::right : Alignment::left;
  if (alignment_ == Alignment::trailing) state.alignment = rightToLeft ? Alignment::left : Alignment::right;
  state.screenWidth = ui::Screen::main().bounds.size.width;
  state.availableWidth = state.screenWidth - horizontalPadding_;
  if (rightToLeft) state.transform = ui::AffineTransform::scale(-1, 1);
  for (std::size_t index = 0; index < tagViews_.size(); ++index) placeTag(index, state);

  rows_ = state.row;
  invalidateIntrinsicContentSize();
  const bool drawered = state.rowWidth > state.availableWidth || state.row > 1;
  if (auto delegate = delegate_.lock()) delegate->tagDrawered(drawered);
  invalidateIntrinsicContentSize();
}

void ANTagListView::placeTag(std::size_t index, RowState& state) {
  ANTagView& tagView = *tagViews_[index];
  tagView.setFrame(ui::Rect(tagView.frame().origin, tagView.intrinsicContentSize()));
  tagViewHeight_ = tagView.frame().size.height;
  // The first row of a wrapping strip may run to 4 points short of the screen's edge.
  const double limit = showType_ == TagShowType::multiLine && state.row == 1
                           ? state.availableWidth + horizontalPadding_ - 4.0
                           : state.availableWidth;
  const bool wraps =
      showType_ == TagShowType::multiLine && limit < state.rowWidth + tagView.frame().size.width;
  if (index == 0 || wraps) startRow(tagView, state);

  const auto& holder = tagBackgroundViews_[index];
  holder->setTransform(state.transform);
  holder->setFrame(ui::Rect(state.rowWidth, 0, tagView.bounds().size.width, tagView.bounds().size.height));
  setFrameWidth(tagView, std::max(minWidth_, tagView.frame().size.width));
  auto& layer = holder->layer();
  layer.setShadowColor(shadowColor_);
  layer.setShadowPath(ui::BezierPath::roundedRect(holder->bounds(), cornerRadius_));
  layer.setShadowOffset(shadowOffset_);
  layer.setShadowOpacity(shadowOpacity_);
  layer.setShadowRadius(shadowRadius_);
  holder->addSubview(tagViews_[index]);
  state.rowView->addSubview(holder);

  state.rowWidth += tagView.frame().size.width + marginX_;
  if (index == tagViews_.size() - 1) state.rowWidth -= marginX_;
  placeRow(state);
}

void ANTagListView::startRow(ANTagView& tagView, RowState& state) {
  ++state.row;
  state.rowWidth = horizontalPadding_;
  state.rowView = std::make_shared<ui::View>(ui::Rect());
  state.rowView->setTransform(state.transform);
  const double y = (state.row - 1) * (tagViewHeight_ + marginY_) + topPadding_;
  setFrameY(*state.rowView, y);
  rowViews_.push_back(state.rowView);
  addSubview(state.rowView);
  viewHeight_ = y + tagViewHeight_ + bottomPadding_;
  // Only a row's first chip is narrowed to the available width.
  setFrameWidth(tagView, std::min(tagView.frame().size.width, state.availableWidth));
}

void ANTagListView::placeRow(RowState& state) {
  ui::View& rowView = *state.rowView;
  const double used = state.rowWidth - marginX_;
  auto frame = rowView.frame();
  frame.origin.x = state.alignment == Alignment::right    ? state.availableWidth - used
                   : state.alignment == Alignment::center ? (state.availableWidth - used) * 0.5
                                                          : 0;
  frame.size.width = state.rowWidth;
  rowView.setFrame(frame);
  if (showType_ == TagShowType::multiLine) {
    setContentSize({state.screenWidth - 2 * horizontalPadding_, contentSize().height});
  } else {
    viewWidth_ = rowView.frame().x() + rowView.frame().size.width + horizontalPadding_;
    setContentSize({viewWidth_, contentSize().height});
  }
  frame = rowView.frame();
  frame.size.height = std::max(tagViewHeight_, frame.size.height);
  rowView.setFrame(frame);
}

}  // namespace velkor
