#include "platform/ui/button.h"

#include <algorithm>
#include <limits>

namespace ui {
namespace {

unsigned bits(ControlState state) { return static_cast<unsigned>(state); }

double width(const EdgeInsets& insets) { return insets.left + insets.right; }
double height(const EdgeInsets& insets) { return insets.top + insets.bottom; }

}  // namespace

Button::Button() : Button(Rect{}) {}

Button::Button(const Rect& frame)
    : Control(frame), titleLabel_(std::make_shared<Label>()), imageView_(std::make_shared<ImageView>()) {
  titleLabel_->setFont(Font::systemFont(15));
  titleLabel_->setLineBreakMode(LineBreakMode::byTruncatingMiddle);
  titleLabel_->setHidden(true);
  imageView_->setHidden(true);
  addSubview(imageView_);
  addSubview(titleLabel_);
  titleColors_[bits(ControlState::normal)] = Color::white();
}

template <class T>
std::optional<T> Button::lookUp(const PerState<T>& values, ControlState state) {
  auto found = values.find(bits(state));
  if (found == values.end()) found = values.find(bits(ControlState::normal));
  if (found == values.end()) return std::nullopt;
  return found->second;
}

template <class T>
void Button::store(PerState<T>& values, std::optional<T> value, ControlState state) {
  if (value) {
    values.insert_or_assign(bits(state), std::move(*value));
  } else {
    values.erase(bits(state));
  }
  updateContent();
}

void Button::setTitle(std::optional<std::string> title, ControlState state) { store(titles_, std::move(title), state); }
std::optional<std::string> Button::title(ControlState state) const { return lookUp(titles_, state); }

void Button::setTitleColor(std::optional<Color> color, ControlState state) { store(titleColors_, std::move(color), state); }
std::optional<Color> Button::titleColor(ControlState state) const { return lookUp(titleColors_, state); }

void Button::setAttributedTitle(std::optional<base::AttributedString> title, ControlState state) {
  store(attributedTitles_, std::move(title), state);
}
std::optional<base::AttributedString> Button::attributedTitle(ControlState state) const {
  return lookUp(attributedTitles_, state);
}

void Button::setImage(std::optional<Image> image, ControlState state) { store(images_, std::move(image), state); }
std::optional<Image> Button::image(ControlState state) const { return lookUp(images_, state); }

void Button::setContentEdgeInsets(const EdgeInsets& insets) {
  contentEdgeInsets_ = insets;
  invalidateIntrinsicContentSize();
  setNeedsLayout();
}

void Button::setTitleEdgeInsets(const EdgeInsets& insets) {
  titleEdgeInsets_ = insets;
  setNeedsLayout();
}

void Button::setImageEdgeInsets(const EdgeInsets& insets) {
  imageEdgeInsets_ = insets;
  setNeedsLayout();
}

void Button::setEnabled(bool enabled) {
  Control::setEnabled(enabled);
  updateContent();
}

void Button::setSelected(bool selected) {
  Control::setSelected(selected);
  updateContent();
}

void Button::setHighlighted(bool highlighted) {
  Control::setHighlighted(highlighted);
  updateContent();
}

void Button::updateContent() {
  if (auto attributed = currentAttributedTitle()) {
    titleLabel_->setAttributedText(std::move(*attributed));
  } else {
    titleLabel_->setText(currentTitle().value_or(""));
    titleLabel_->setTextColor(currentTitleColor().value_or(Color::white()));
  }
  titleLabel_->setHidden(!hasTitle());
  imageView_->setImage(currentImage());
  imageView_->setHidden(!imageView_->image());
  invalidateIntrinsicContentSize();
  setNeedsLayout();
}

bool Button::hasTitle() const { return !titleLabel_->attributedText().utf16().empty(); }

Size Button::imageSize() const {
  const auto& image = imageView_->image();
  return image ? image->size() : Size{0, 0};
}

Size Button::titleSize(double availableWidth, double availableHeight) const {
  if (!hasTitle()) return {0, 0};
  return titleLabel_->textRect(Rect(0, 0, availableWidth, availableHeight), titleLabel_->numberOfLines()).size;
}

Rect Button::contentRect(const Rect& bounds) const { return contentEdgeInsets_.inset(bounds); }

// The image box first, then the title box, the pair centred in the content rectangle.
Rect Button::imageRect(const Rect& content) const {
  const Size image = imageSize();
  const Size title = titleRect(content).size;
  const double imageBox = image.width > 0 ? image.width + width(imageEdgeInsets_) : 0;
  const double titleBox = title.width > 0 ? title.width + width(titleEdgeInsets_) : 0;
  const double x = content.x() + (content.width() - imageBox - titleBox) / 2 + imageEdgeInsets_.left;
  const Rect column = imageEdgeInsets_.inset(content);
  return {x, column.midY() - image.height / 2, image.width, image.height};
}

Rect Button::titleRect(const Rect& content) const {
  const Size image = imageSize();
  const double imageBox = image.width > 0 ? image.width + width(imageEdgeInsets_) : 0;
  const Rect column = titleEdgeInsets_.inset(content);
  const Size title = titleSize(std::max(0.0, column.width() - imageBox), std::max(0.0, column.height()));
  const double titleBox = title.width > 0 ? title.width + width(titleEdgeInsets_) : 0;
  const double x = content.x() + (content.width() - imageBox - titleBox) / 2 + imageBox + titleEdgeInsets_.left;
  return {x, column.midY() - title.height / 2, title.width, title.height};
}

Size Button::intrinsicContentSize() const {
  const Size image = imageSize();
  const double unbounded = std::numeric_limits<double>::infinity();
  const Size title = titleSize(unbounded, unbounded);
  return {image.width + title.width + width(contentEdgeInsets_),
          std::max(image.height, title.height) + height(contentEdgeInsets_)};
}

Size Button::sizeThatFits(Size) const { return intrinsicContentSize(); }

void Button::layoutSubviews() {
  Control::layoutSubviews();
  const Rect content = contentRect(bounds());
  imageView_->setFrame(imageRect(content));
  titleLabel_->setFrame(titleRect(content));
}

}  // namespace ui
