#include "velkor/components/an_tag_list_view.h"

#include <string>

#include "platform/base/log.h"

namespace velkor {

// --- layout properties ---

void ANTagListView::setTagListViewHorizontalPadding(double padding) {
  horizontalPadding_ = padding;
  rearrangeViews();
}

void ANTagListView::setTagListViewTopPadding(double padding) {
  topPadding_ = padding;
  rearrangeViews();
}

void ANTagListView::setTagListViewBottomPadding(double padding) {
  bottomPadding_ = padding;
  rearrangeViews();
}

void ANTagListView::setTagListViewVerticalPadding(double padding) {
  setTagListViewTopPadding(padding);
  setTagListViewBottomPadding(padding);
}

void ANTagListView::setMarginY(double margin) {
  marginY_ = margin;
  rearrangeViews();
}

void ANTagListView::setMarginX(double margin) {
  marginX_ = margin;
  rearrangeViews();
}

void ANTagListView::setMinWidth(double width) {
  minWidth_ = width;
  rearrangeViews();
}

void ANTagListView::setShowType(TagShowType showType) {
  showType_ = showType;
  rearrangeViews();
  if (auto delegate = delegate_.lock()) delegate->modeChanged(showType);
}

void ANTagListView::setTagListMode(TagListMode mode) {
  tagListMode_ = mode;
  rearrangeViews();
}

void ANTagListView::setAlignment(Alignment alignment) {
  alignment_ = alignment;
  rearrangeViews();
}

void ANTagListView::setShadowColor(const ui::Color& color) {
  shadowColor_ = color;
  rearrangeViews();
}

void ANTagListView::setShadowRadius(double radius) {
  shadowRadius_ = radius;
  rearrangeViews();
}

void ANTagListView::setShadowOffset(ui::Size offset) {
  shadowOffset_ = offset;
  rearrangeViews();
}

void ANTagListView::setShadowOpacity(float opacity) {
  shadowOpacity_ = opacity;
  rearrangeViews();
}

// --- style properties ---

void ANTagListView::setTextColor(const ui::Color& color) {
  textColor_ = color;
  forEachTag([&](ANTagView& tag) { tag.setTextColor(color); });
}

void ANTagListView::setSelectedTextColor(const ui::Color& color) {
  selectedTextColor_ = color;
  forEachTag([&](ANTagView& tag) { tag.setSelectedTextColor(color); });
}

void ANTagListView::setTagLineBreakMode(ui::LineBreakMode mode) {
  tagLineBreakMode_ = mode;
  forEachTag([&](ANTagView& tag) { tag.setTitleLineBreakMode(mode); });
}

void ANTagListView::setTagBackgroundColor(const ui::Color& color) {
  tagBackgroundColor_ = color;
  forEachTag([&](ANTagView& tag) { tag.setTagBackgroundColor(color); });
}

void ANTagListView::setTagHighlightedBackgroundColor(std::optional<ui::Color> color) {
  tagHighlightedBackgroundColor_ = color;
  forEachTag([&](ANTagView& tag) { tag.setHighlightedBackgroundColor(color); });
}

void ANTagListView::setTagHighlightedAlpha(double alpha) {
  tagHighlightedAlpha_ = alpha;
  forEachTag([&](ANTagView& tag) { tag.setHighlightedAlpha(alpha); });
}

void ANTagListView::setTagSelectedBackgroundColor(std::optional<ui::Color> color) {
  tagSelectedBackgroundColor_ = color;
  forEachTag([&](ANTagView& tag) { tag.setSelectedBackgroundColor(color); });
}

void ANTagListView::setCornerRadius(double radius) {
  cornerRadius_ = radius;
  forEachTag([&](ANTagView& tag) { tag.setCornerRadius(radius); });
}

void ANTagListView::setBorderWidth(double width) {
  borderWidth_ = width;
  forEachTag([&](ANTagView& tag) { tag.setBorderWidth(width); });
}

void ANTagListView::setBorderColor(std::optional<ui::Color> color) {
  borderColor_ = color;
  reassignBorderColor();
}

void ANTagListView::setSelectedBorderColor(std::optional<ui::Color> color) {
  selectedBorderColor_ = color;
  forEachTag([&](ANTagView& tag) { tag.setSelectedBorderColor(color); });
}

void ANTagListView::setPaddingY(double padding) {
  paddingY_ = padding;
  forEachTag([&](ANTagView& tag) { tag.setPaddingY(padding); });
  rearrangeViews();
}

void ANTagListView::setPaddingX(double padding) {
  paddingX_ = padding;
  forEachTag([&](ANTagView& tag) { tag.setPaddingX(padding); });
  rearrangeViews();
}

void ANTagListView::setEnableRemoveButton(bool enable) {
  enableRemoveButton_ = enable;
  forEachTag([&](ANTagView& tag) { tag.setEnableRemoveButton(enable); });
  rearrangeViews();
}

void ANTagListView::setRemoveButtonIconSize(double size) {
  removeButtonIconSize_ = size;
  forEachTag([&](ANTagView& tag) { tag.setRemoveButtonIconSize(size); });
  rearrangeViews();
}

void ANTagListView::setRemoveIconLineWidth(double width) {
  removeIconLineWidth_ = width;
  forEachTag([&](ANTagView& tag) { tag.setRemoveIconLineWidth(width); });
  rearrangeViews();
}

void ANTagListView::setRemoveIconLineColor(const ui::Color& color) {
  removeIconLineColor_ = color;
  forEachTag([&](ANTagView& tag) { tag.setRemoveIconLineColor(color); });
  rearrangeViews();
}

void ANTagListView::setTextFont(const ui::Font& font) {
  textFont_ = font;
  forEachTag([&](ANTagView& tag) { tag.setTextFont(font); });
  rearrangeViews();
}

void ANTagListView::setSelectedTextFont(const ui::Font& font) {
  selectedTextFont_ = font;
  forEachTag([&](ANTagView& tag) { tag.setSelectedTextFont(font); });
  rearrangeViews();
}

// --- chips ---

std::shared_ptr<ANTagView> ANTagListView::makeTagView(const std::string& title) {
  auto tagView = ANTagView::make(title);
  tagView->setTextColor(textColor_);
  tagView->setSelectedTextColor(selectedTextColor_);
  tagView->setTagBackgroundColor(tagBackgroundColor_);
  tagView->setHighlightedAlpha(tagHighlightedAlpha_);
  tagView->setHighlightedBackgroundColor(tagHighlightedBackgroundColor_);
  tagView->setSelectedBackgroundColor(tagSelectedBackgroundColor_);
  tagView->setTitleLineBreakMode(tagLineBreakMode_);
  tagView->setCornerRadius(cornerRadius_);
  tagView->setBorderWidth(borderWidth_);
  tagView->setBorderColor(borderColor_);
  tagView->setSelectedBorderColor(selectedBorderColor_);
  tagView->setPaddingX(paddingX_);
  tagView->setPaddingY(paddingY_);
  tagView->setTextFont(textFont_);
  tagView->setSelectedTextFont(selectedTextFont_);
  tagView->setRemoveIconLineWidth(removeIconLineWidth_);
  tagView->setRemoveButtonIconSize(removeButtonIconSize_);
  tagView->setEnableRemoveButton(enableRemoveButton_);
  tagView->setRemoveIconLineColor(removeIconLineColor_);
  // The strip may go before its chips' actions do: they hold it weakly.
  const std::weak_ptr<ANTagListView> strip = std::static_pointer_cast<ANTagListView>(shared());
  tagView->addTarget(
      this,
      [strip](ui::Control& sender) {
        if (auto self = strip.lock()) self->handleTagTap(static_cast<ANTagView&>(sender));
      },
      ui::ControlEvent::touchUpInside);
  tagView->removeButton()->addTarget(
      this,
      [strip](ui::Control& sender) {
        if (auto self = strip.lock()) self->handleRemoveTap(static_cast<CloseButton&>(sender));
      },
      ui::ControlEvent::touchUpInside);
  return tagView;
}

std::shared_ptr<ANTagView> ANTagListView::addTag(const std::string& title) {
  auto tagView = addANTagView(makeTagView(title));
  rearrangeViews();
  return tagView;
}

std::vector<std::shared_ptr<ANTagView>> ANTagListView::addTags(const std::vector<std::string>& titles) {
  std::vector<std::shared_ptr<ANTagView>> made;
  for (const auto& title : titles) made.push_back(makeTagView(title));
  return addANTagViews(made);
}

std::shared_ptr<ANTagView> ANTagListView::addANTagView(std::shared_ptr<ANTagView> tagView) {
  insertAt(tagView, tagViews_.size());
  rearrangeViews();
  return tagView;
}

std::vector<std::shared_ptr<ANTagView>> ANTagListView::addANTagViews(
    const std::vector<std::shared_ptr<ANTagView>>& tagViews) {
  for (const auto& tagView : tagViews) insertAt(tagView, tagViews_.size());
  rearrangeViews();
  return tagViews_;
}

std::shared_ptr<ANTagView> ANTagListView::insertAt(std::shared_ptr<ANTagView> tagView, std::size_t index) {
  tagBackgroundViews_.insert(tagBackgroundViews_.begin() + static_cast<std::ptrdiff_t>(index),
                             std::make_shared<ui::View>(tagView->bounds()));
  tagViews_.insert(tagViews_.begin() + static_cast<std::ptrdiff_t>(index), tagView);
  return tagView;
}

bool ANTagListView::isIndexInside(int index, std::size_t count, const char* operation) const {
  if (index >= 0 && static_cast<std::size_t>(index) < count) return true;
  base::logError(std::string("ANTagListView.") + operation + ": index " + std::to_string(index) +
                 " is outside the strip's " + std::to_string(tagViews_.size()) + " tags; nothing changed");
  return false;
}

void ANTagListView::setTag(int index) {
  if (tagViews_.empty() || !isIndexInside(index, tagViews_.size(), "setTag")) return;
  for (std::size_t i = 0; i < tagViews_.size(); ++i) tagViews_[i]->setSelected(i == static_cast<std::size_t>(index));
}

std::shared_ptr<ANTagView> ANTagListView::insertTag(const std::string& title, int index) {
  return insertANTagView(makeTagView(title), index);
}

std::shared_ptr<ANTagView> ANTagListView::insertANTagView(std::shared_ptr<ANTagView> tagView, int index) {
  if (!isIndexInside(index, tagViews_.size() + 1, "insertANTagView")) return tagView;
  insertAt(tagView, static_cast<std::size_t>(index));
  rearrangeViews();
  return tagView;
}

void ANTagListView::setTitle(const std::string& title, int index) {
  if (!isIndexInside(index, tagViews_.size(), "setTitle")) return;
  // As the chip's own title, so the next restyle keeps it and removeTag finds it.
  tagViews_[static_cast<std::size_t>(index)]->setTitle(title, ui::ControlState::normal);
}

void ANTagListView::removeTag(const std::string& title) {
  for (auto i = tagViews_.size(); i-- > 0;) {
    const auto current = tagViews_[i]->currentTitle();
    if (current && *current == title) removeANTagView(tagViews_[i]);
  }
}

void ANTagListView::removeANTagView(const std::shared_ptr<ANTagView>& tagView) {
  const auto keep = tagView;  // the caller may have handed in the strip's own entry
  keep->removeFromSuperview();
  if (const int index = indexOf(*keep); index >= 0) {
    tagViews_.erase(tagViews_.begin() + index);
    tagBackgroundViews_.erase(tagBackgroundViews_.begin() + index);
  }
  rearrangeViews();
}

void ANTagListView::removeAllTags() {
  for (const auto& tagView : tagViews_) tagView->removeFromSuperview();
  for (const auto& holder : tagBackgroundViews_) holder->removeFromSuperview();
  tagViews_.clear();
  tagBackgroundViews_.clear();
  rearrangeViews();
}

std::vector<std::shared_ptr<ANTagView>> ANTagListView::selectedTags() const {
  std::vector<std::shared_ptr<ANTagView>> selected;
  for (const auto& tagView : tagViews_) {
    if (tagView->isSelected()) selected.push_back(tagView);
  }
  return selected;
}

int ANTagListView::indexOf(const ANTagView& tagView) const {
  for (std::size_t i = 0; i < tagViews_.size(); ++i) {
    if (tagViews_[i].get() == &tagView) return static_cast<int>(i);
  }
  return -1;
}

// --- taps and scrolling ---

void ANTagListView::handleTagTap(ANTagView& tagView) {
  const auto keep = tagView.shared();  // a delegate may remove the chip
  if (!multiSelect_) {
    for (const auto& selected : selectedTags()) selected->setSelected(false);
    tagView.setSelected(true);
  }
  if (tagView.onTap) tagView.onTap(tagView);
  scrollToTag(tagView, true);
  const int index = indexOf(tagView);
  if (auto delegate = delegate_.lock()) delegate->tagPressed(index, tagView, *this);
}

void ANTagListView::handleRemoveTap(CloseButton& button) {
  const auto tagView = button.tagView();
  if (!tagView) return;
  if (auto delegate = delegate_.lock()) {
    delegate->tagRemoveButtonPressed(tagView->currentTitle().value_or(""), *tagView, *this);
  }
}

double ANTagListView::selectionOffset() const {
  double x = horizontalPadding_;
  for (const auto& tagView : tagViews_) {
    if (tagView->isSelected()) break;
    x += tagView->frame().size.width + 4.0;
  }
  return x;
}

void ANTagListView::setContentOffsetWithin(double duration, double x) {
  ui::View::animate(duration, [this, x] { setContentOffset({x, 0}, false); });
}

void ANTagListView::scrollToSelection() {
  if (selectedTags().empty() || showType_ != TagShowType::singleLine) return;
  layoutIfNeeded();
  const double x = selectionOffset();
  const double contentWidth = contentSize().width, frameWidth = frame().size.width;
  // Near the end, show the end rather than empty space after it.
  if (contentWidth > frameWidth && contentWidth - x < frameWidth) {
    setContentOffsetWithin(0.0, contentWidth - frameWidth);
  } else {
    setContentOffsetWithin(0.0, x - horizontalPadding_);
  }
}

void ANTagListView::scrollToTag(ANTagView& tagView, bool animated) {
  if (showType_ != TagShowType::singleLine) return;
  layoutIfNeeded();
  const double x = selectionOffset();
  const double duration = animated ? 0.2 : 0.0;
  if (x < contentOffset().x) {
    setContentOffsetWithin(duration, x - horizontalPadding_);
    return;
  }
  const double right = x + tagView.frame().size.width;
  if (contentOffset().x + frame().size.width < right) {
    setContentOffsetWithin(duration, right + horizontalPadding_ - frame().size.width);
  }
}

// --- overrides ---

void ANTagListView::reassignBorderColor() {
  forEachTag([&](ANTagView& tag) { tag.setBorderColor(borderColor_); });
}

void ANTagListView::traitCollectionDidChange(const ui::TraitCollection& previous) {
  ui::ScrollView::traitCollectionDidChange(previous);
  reassignBorderColor();
}

void ANTagListView::layoutSubviews() {
  ui::ScrollView::layoutSubviews();
  reassignBorderColor();
}

bool ANTagListView::touchesShouldCancel(ui::View* view) {
  if (dynamic_cast<ui::Button*>(view)) return true;
  return ui::ScrollView::touchesShouldCancel(view);
}

ui::Size ANTagListView::intrinsicContentSize() const {
  double height = rows_ * (tagViewHeight_ + marginY_);
  if (rows_ >= 1) height -= marginY_;
  return {frame().size.width, height};
}

}  // namespace velkor
