#include "platform/ui/navigation_bar.h"

#include <algorithm>

#include "platform/ui/bezier_path.h"
#include "platform/ui/graphics_context.h"
#include "platform/ui/screen.h"

namespace ui {
namespace {

constexpr double kEdgeMargin = 8;
constexpr double kItemSpacing = 8;
constexpr double kChevronWidth = 20;
const Color kShadowColor(0, 0, 0, 0.3);

// The back button's default indicator: a chevron pointing left, in the tint colour.
class ChevronView : public View {
 public:
  ChevronView() {
    setUserInteractionEnabled(false);
    setBackgroundColor(std::nullopt);
  }
  void draw(const Rect& rect) override {
    BezierPath path;
    path.setLineWidth(3);
    path.setLineCapStyle(LineCap::round);
    const double midY = rect.midY();
    path.move({rect.maxX() - 6, midY - 10});
    path.addLine({rect.minX() + 4, midY});
    path.addLine({rect.maxX() - 6, midY + 10});
    GraphicsContext::current()->setStrokeColor(tintColor());
    path.stroke();
  }
};

bool isClear(const std::optional<Color>& color) { return color && color->alpha() <= 0; }

}  // namespace

// --- appearance values ---------------------------------------------------------------------------

void NavigationBarAppearance::configureWithDefaultBackground() { *this = NavigationBarAppearance(); }

void NavigationBarAppearance::configureWithOpaqueBackground() {
  *this = NavigationBarAppearance();
  background = Background::opaque;
}

void NavigationBarAppearance::configureWithTransparentBackground() {
  *this = NavigationBarAppearance();
  background = Background::transparent;
  shadowColor = Color::clear();
}

bool operator==(const NavigationBarAppearance& a, const NavigationBarAppearance& b) {
  auto sameImage = [](const std::optional<Image>& x, const std::optional<Image>& y) {
    return x.has_value() == y.has_value() && (!x || x->isSameImage(*y));
  };
  return a.background == b.background && a.backgroundColor == b.backgroundColor &&
         sameImage(a.backgroundImage, b.backgroundImage) && a.shadowColor == b.shadowColor &&
         sameImage(a.shadowImage, b.shadowImage) && a.titleTextAttributes == b.titleTextAttributes;
}

// --- the bar ---------------------------------------------------------------------------------------------

NavigationBar::NavigationBar() { commonInit(); }

NavigationBar::NavigationBar(const Rect& frame) : View(frame) { commonInit(); }

NavigationBar::~NavigationBar() { watchItems(false); }

void NavigationBar::commonInit() {
  backgroundView_ = std::make_shared<ImageView>();
  backgroundView_->setUserInteractionEnabled(false);
  addSubview(backgroundView_);
  shadowView_ = std::make_shared<ImageView>();
  shadowView_->setUserInteractionEnabled(false);
  addSubview(shadowView_);
  titleLabel_ = std::make_shared<Label>();
  titleLabel_->setTextAlignment(TextAlignment::center);
  addSubview(titleLabel_);
  restyle();
}

void NavigationBar::watchItems(bool watch) {
  for (const auto& item : items_) {
    item->setChangeHandler(watch ? std::function<void()>([this] { itemsChanged(); }) : nullptr);
  }
}

void NavigationBar::setItems(std::vector<std::shared_ptr<NavigationItem>> items, bool) {
  std::erase(items, nullptr);
  watchItems(false);
  items_ = std::move(items);
  watchItems(true);
  itemsChanged();
}

std::shared_ptr<NavigationItem> NavigationBar::topItem() const { return items_.empty() ? nullptr : items_.back(); }

std::shared_ptr<NavigationItem> NavigationBar::backItem() const {
  return items_.size() < 2 ? nullptr : items_[items_.size() - 2];
}

void NavigationBar::itemsChanged() {
  contentStale_ = true;
  setNeedsLayout();
}

std::shared_ptr<Button> NavigationBar::backButton() const { return backButton_; }

// --- appearance ------------------------------------------------------------------------------------------

void NavigationBar::setBarTintColor(std::optional<Color> color) {
  barTintColor_ = std::move(color);
  restyle();
}

void NavigationBar::setTranslucent(bool translucent) {
  translucent_ = translucent;
  restyle();
}

void NavigationBar::setBarStyle(BarStyle style) {
  barStyle_ = style;
  restyle();
}

void NavigationBar::setTitleTextAttributes(base::Attributes attributes) {
  titleTextAttributes_ = std::move(attributes);
  restyle();
}

void NavigationBar::setBackgroundImage(std::optional<Image> image) {
  backgroundImage_ = std::move(image);
  restyle();
}

void NavigationBar::setShadowImage(std::optional<Image> image) {
  shadowImage_ = std::move(image);
  restyle();
}

void NavigationBar::setStandardAppearance(std::optional<NavigationBarAppearance> appearance) {
  standardAppearance_ = std::move(appearance);
  restyle();
}

void NavigationBar::setScrollEdgeAppearance(std::optional<NavigationBarAppearance> appearance) {
  scrollEdgeAppearance_ = std::move(appearance);
}

void NavigationBar::setBackIndicatorImage(std::optional<Image> image) {
  backIndicatorImage_ = std::move(image);
  itemsChanged();
}

void NavigationBar::setTintColor(std::optional<Color> color) {
  View::setTintColor(std::move(color));
  itemsChanged();
}

Color NavigationBar::effectiveBackgroundColor() const {
  const bool dark = barStyle_ == BarStyle::black;
  const Color system = dark ? Color(0.11, 0.11, 0.11) : Color::systemBackground();
  const Color chrome = dark ? Color(0.11, 0.11, 0.11, 0.94) : Color(0.97, 0.97, 0.97, 0.94);
  if (standardAppearance_) {
    if (standardAppearance_->backgroundColor) return *standardAppearance_->backgroundColor;
    switch (standardAppearance_->background) {
      case NavigationBarAppearance::Background::opaque: return system;
      case NavigationBarAppearance::Background::transparent: return Color::clear();
      case NavigationBarAppearance::Background::standard: return chrome;
    }
  }
  if (barTintColor_) return translucent_ ? *barTintColor_ : barTintColor_->withAlphaComponent(1);
  return translucent_ ? chrome : system;
}

bool NavigationBar::showsShadow() const {
  if (standardAppearance_) return !isClear(standardAppearance_->shadowColor) || standardAppearance_->shadowImage;
  return true;
}

Font NavigationBar::titleFont() const {
  base::Attributes attributes = titleTextAttributes_;
  if (standardAppearance_) attributes.add(standardAppearance_->titleTextAttributes);
  return attributes.font ? Font::fromFontDescription(*attributes.font) : Font::systemFont(17, FontWeight::semibold);
}

Color NavigationBar::titleColor() const {
  base::Attributes attributes = titleTextAttributes_;
  if (standardAppearance_) attributes.add(standardAppearance_->titleTextAttributes);
  if (attributes.foregroundColor) return Color::fromColorDescription(*attributes.foregroundColor);
  return barStyle_ == BarStyle::black ? Color::white() : Color::label();
}

void NavigationBar::restyle() {
  backgroundView_->setBackgroundColor(effectiveBackgroundColor());
  const auto& appearanceImage = standardAppearance_ ? standardAppearance_->backgroundImage : std::nullopt;
  static_cast<ImageView*>(backgroundView_.get())->setImage(appearanceImage ? appearanceImage : backgroundImage_);
  auto* shadow = static_cast<ImageView*>(shadowView_.get());
  std::optional<Image> shadowImage = standardAppearance_ ? standardAppearance_->shadowImage : shadowImage_;
  shadow->setImage(shadowImage);
  shadow->setBackgroundColor(shadowImage ? std::nullopt
                                         : std::optional<Color>(standardAppearance_ && standardAppearance_->shadowColor
                                                                    ? *standardAppearance_->shadowColor
                                                                    : kShadowColor));
  shadow->setHidden(!showsShadow());
  titleLabel_->setFont(titleFont());
  titleLabel_->setTextColor(titleColor());
  setNeedsLayout();
}

// --- content ----------------------------------------------------------------------------------------------

void NavigationBar::addContent(const std::shared_ptr<View>& view) {
  // Above the background, shadow and title; under whatever a subclass adds.
  const auto& siblings = subviews();
  auto title = std::find(siblings.begin(), siblings.end(), titleLabel_);
  std::size_t index = static_cast<std::size_t>(title - siblings.begin()) + 1;
  while (index < siblings.size() && (siblings[index] == backButton_ ||
                                     std::find(leftViews_.begin(), leftViews_.end(), siblings[index]) != leftViews_.end() ||
                                     std::find(rightViews_.begin(), rightViews_.end(), siblings[index]) != rightViews_.end())) {
    ++index;
  }
  insertSubview(view, index);
}

std::shared_ptr<View> NavigationBar::makeItemView(const std::shared_ptr<BarButtonItem>& item) {
  if (item->customView()) return item->customView();
  auto button = std::make_shared<Button>();
  if (item->image()) button->setImage(item->image(), ControlState::normal);
  if (item->title()) button->setTitle(item->title(), ControlState::normal);
  button->setTitleColor(item->tintColor().value_or(tintColor()), ControlState::normal);
  button->titleLabel()->setFont(Font::systemFont(17, item->style() == BarButtonItem::Style::done
                                                         ? FontWeight::semibold
                                                         : FontWeight::regular));
  button->setEnabled(item->isEnabled());
  std::weak_ptr<BarButtonItem> weak = item;
  button->addAction(ControlEvent::touchUpInside, [weak] {
    if (auto item = weak.lock()) item->tap();
  });
  return button;
}

void NavigationBar::rebuildContent() {
  contentStale_ = false;
  if (backButton_) backButton_->removeFromSuperview();
  for (const auto& view : leftViews_) view->removeFromSuperview();
  for (const auto& view : rightViews_) view->removeFromSuperview();
  backButton_ = nullptr;
  backChevron_ = nullptr;
  leftViews_.clear();
  rightViews_.clear();

  auto top = topItem();
  auto back = backItem();
  titleLabel_->setText(top && top->title() ? *top->title() : "");
  if (!top) return;
  const bool showsBack = back && !top->hidesBackButton() &&
                         (top->leftBarButtonItems().empty() || top->leftItemsSupplementBackButton());
  if (showsBack) {
    backButton_ = std::make_shared<Button>();
    backButton_->setTitle(back->backTitle(), ControlState::normal);
    backButton_->setTitleColor(tintColor(), ControlState::normal);
    backButton_->titleLabel()->setFont(Font::systemFont(17));
    if (backIndicatorImage_) {
      backButton_->setImage(backIndicatorImage_, ControlState::normal);
    } else {
      backChevron_ = std::make_shared<ChevronView>();
      backButton_->addSubview(backChevron_);
      backButton_->setContentEdgeInsets({0, kChevronWidth, 0, 0});
    }
    backButton_->addAction(ControlEvent::touchUpInside, [this] {
      if (backAction_) backAction_();
    });
    addContent(backButton_);
  }
  for (const auto& item : top->leftBarButtonItems()) {
    leftViews_.push_back(makeItemView(item));
    addContent(leftViews_.back());
  }
  for (const auto& item : top->rightBarButtonItems()) {
    rightViews_.push_back(makeItemView(item));
    addContent(rightViews_.back());
  }
}

Size NavigationBar::intrinsicContentSize() const { return {kNoIntrinsicMetric, kHeight}; }

Size NavigationBar::sizeThatFits(Size size) const { return {size.width, kHeight}; }

void NavigationBar::layoutSubviews() {
  View::layoutSubviews();
  if (contentStale_) rebuildContent();
  const Rect bounds = this->bounds();
  // The background reaches up under the status bar when the bar stands just below it.
  const double above = std::max(0.0, frame().y());
  backgroundView_->setFrame({0, -above, bounds.width(), bounds.height() + above});
  const double hairline = 1 / std::max(1.0, Screen::main().scale);
  shadowView_->setFrame({0, bounds.height(), bounds.width(), hairline});

  double left = kEdgeMargin;
  auto place = [&](View& view, double x) {
    Size fits = view.sizeThatFits({bounds.width() / 3, bounds.height()});
    double width = std::min(fits.width, bounds.width() / 3);
    view.setFrame({x, 0, width, bounds.height()});
    return width;
  };
  if (backButton_) {
    left = place(*backButton_, 0) + kItemSpacing;
    if (backChevron_) backChevron_->setFrame({4, 0, kChevronWidth - 4, bounds.height()});
  }
  for (const auto& view : leftViews_) left += place(*view, left) + kItemSpacing;
  double right = bounds.width() - kEdgeMargin;
  for (const auto& view : rightViews_) {
    Size fits = view->sizeThatFits({bounds.width() / 3, bounds.height()});
    double width = std::min(fits.width, bounds.width() / 3);
    right -= width;
    view->setFrame({right, 0, width, bounds.height()});
    right -= kItemSpacing;
  }
  Size title = titleLabel_->sizeThatFits({bounds.width(), bounds.height()});
  double width = std::min(title.width, std::max(0.0, right - left));
  double x = std::clamp(bounds.midX() - width / 2, left, std::max(left, right - width));
  titleLabel_->setFrame({x, 0, width, bounds.height()});
}

}  // namespace ui
