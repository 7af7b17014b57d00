#include "velkor/components/an_tag_view.h"

#include <algorithm>

#include "velkor/core/os_version_gate.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {

std::shared_ptr<ANTagView> ANTagView::make(const std::string& title) {
  auto chip = std::make_shared<ANTagView>(title);
  chip->configureSubviews();
  return chip;
}

ANTagView::ANTagView(const std::string& title) : colorScheme_(VelkorInternal::shared().colorScheme()) {
  setTitle(title, ui::ControlState::normal);
}

void ANTagView::configureSubviews() {
  titleLabel()->setLineBreakMode(titleLineBreakMode_);
  setContentEdgeInsets({1.0, 0, 0, 0});
  setFrame(ui::Rect(frame().origin, intrinsicContentSize()));
  addSubview(removeButton_);
  removeButton_->setTagView(std::static_pointer_cast<ANTagView>(shared()));
}

void ANTagView::setCornerRadius(double radius) {
  cornerRadius_ = radius;
  layer().setCornerRadius(radius);
  setClipsToBounds(radius > 0);
}

void ANTagView::setBorderWidth(double width) {
  borderWidth_ = width;
  layer().setBorderWidth(width);
}

void ANTagView::setBorderColor(std::optional<ui::Color> color) {
  borderColor_ = std::move(color);
  applyStateStyle();
}

void ANTagView::setTextColor(const ui::Color& color) {
  textColor_ = color;
  applyStateStyle();
}

void ANTagView::setSelectedTextColor(const ui::Color& color) {
  selectedTextColor_ = color;
  applyStateStyle();
}

void ANTagView::setTitleLineBreakMode(ui::LineBreakMode mode) {
  titleLineBreakMode_ = mode;
  titleLabel()->setLineBreakMode(mode);
}

void ANTagView::setPaddingY(double padding) {
  paddingY_ = padding;
  auto insets = titleEdgeInsets();
  insets.top = insets.bottom = padding;
  setTitleEdgeInsets(insets);
}

void ANTagView::setPaddingX(double padding) {
  paddingX_ = padding;
  auto insets = titleEdgeInsets();
  insets.left = padding;
  setTitleEdgeInsets(insets);
  updateTrailingTitleInset();
}

void ANTagView::setTagBackgroundColor(const ui::Color& color) {
  tagBackgroundColor_ = color;
  applyStateStyle();
}

void ANTagView::setHighlightedAlpha(double alpha) {
  highlightedAlpha_ = alpha;
  applyStateStyle();
}

void ANTagView::setHighlightedBackgroundColor(std::optional<ui::Color> color) {
  highlightedBackgroundColor_ = std::move(color);
  applyStateStyle();
}

void ANTagView::setSelectedBorderColor(std::optional<ui::Color> color) {
  selectedBorderColor_ = std::move(color);
  applyStateStyle();
}

void ANTagView::setSelectedBackgroundColor(std::optional<ui::Color> color) {
  selectedBackgroundColor_ = std::move(color);
  applyStateStyle();
}

void ANTagView::setTextFont(const ui::Font& font) {
  textFont_ = font;
  titleLabel()->setFont(font);
}

void ANTagView::setSelectedTextFont(const ui::Font& font) {
  selectedTextFont_ = font;
  titleLabel()->setFont(font);
}

void ANTagView::setEnableRemoveButton(bool enable) {
  enableRemoveButton_ = enable;
  removeButton_->setHidden(!enable);
  updateTrailingTitleInset();
}

void ANTagView::setRemoveButtonIconSize(double size) {
  removeButtonIconSize_ = size;
  removeButton_->setIconSize(size);
  updateTrailingTitleInset();
}

void ANTagView::setRemoveIconLineWidth(double width) {
  removeIconLineWidth_ = width;
  removeButton_->setLineWidth(width);
}

void ANTagView::setRemoveIconLineColor(const ui::Color& color) {
  removeIconLineColor_ = color;
  removeButton_->setLineColor(color);
}

void ANTagView::setSelected(bool selected) {
  ui::Button::setSelected(selected);
  applyStateStyle();
}

void ANTagView::setHighlighted(bool highlighted) {
  ui::Button::setHighlighted(highlighted);
  applyStateStyle();
}

void ANTagView::applyStateStyle() {
  const bool highlighted = isHighlighted(), selected = isSelected();
  if (highlighted && selected) return;
  if (highlighted) {
    if (highlightedBackgroundColor_) setBackgroundColor(highlightedBackgroundColor_);
  } else if (selected) {
    applySelectedStyle();
  } else {
    applyNormalStyle();
  }
  setTitleColor(textColor_.withAlphaComponent(highlightedAlpha_), ui::ControlState::highlighted);
}

void ANTagView::applySelectedStyle() {
  setBackgroundColor(selectedBackgroundColor_.value_or(tagBackgroundColor_));
  layer().setBorderColor(selectedBorderColor_ ? selectedBorderColor_ : borderColor_);
  titleLabel()->setFont(selectedTextFont_);
  setTitleColor(selectedTextColor_, ui::ControlState::normal);
}

void ANTagView::applyNormalStyle() {
  setBackgroundColor(tagBackgroundColor_);
  // From 13 on the theme's border colour wins, resolved against this chip's traits so a dynamic
  // colour follows light and dark mode; older systems keep the chip's own.
  if (isOsVersionAtLeast("13")) {
    layer().setBorderColor(colorScheme_->tagItemBorderNormalColor().resolved(traitCollection()));
  } else {
    layer().setBorderColor(borderColor_);
  }
  titleLabel()->setFont(textFont_);
  setTitleColor(textColor_, ui::ControlState::normal);
}

void ANTagView::updateTrailingTitleInset() {
  auto insets = titleEdgeInsets();
  insets.right = paddingX_ + (enableRemoveButton_ ? removeButtonIconSize_ + paddingX_ : 0);
  setTitleEdgeInsets(insets);
}

ui::Size ANTagView::intrinsicContentSize() const {
  const std::string text = titleLabel()->text();
  ui::TextStyle style;
  style.font = textFont_;
  const double textWidth = text.empty() ? 0 : ui::TextLayout(base::AttributedString(text), style).size().width;
  const double height = textFont_.pointSize() + 2 * paddingY_;
  double width = std::max(textWidth + 2 * paddingX_, height);
  if (enableRemoveButton_) width += removeButtonIconSize_ + paddingX_;
  return {width, height};
}

void ANTagView::layoutSubviews() {
  ui::Button::layoutSubviews();
  if (!enableRemoveButton_) return;
  const double width = paddingX_ + removeButtonIconSize_ + paddingX_;
  removeButton_->setFrame(ui::Rect(frame().size.width - width, 0, width, frame().size.height));
}

void ANTagView::traitCollectionDidChange(const ui::TraitCollection& previous) {
  ui::Button::traitCollectionDidChange(previous);
  applyStateStyle();
}

}  // namespace velkor
