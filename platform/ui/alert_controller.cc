#include "platform/ui/alert_controller.h"

#include <algorithm>
#include <limits>

#include "platform/base/log.h"
#include "platform/ui/controller_view.h"
#include "platform/ui/device.h"
#include "platform/ui/screen.h"
#include "platform/ui/transitioning.h"

namespace ui {
namespace {

constexpr double kAlertWidth = 270;
constexpr double kPopoverWidth = 300;
constexpr double kPadding = 16;
constexpr double kAlertButtonHeight = 44;
constexpr double kSheetButtonHeight = 57;
constexpr double kSheetMargin = 8;
constexpr double kUnlimited = std::numeric_limits<double>::infinity();
const Color kDestructive(1, 0.23, 0.19);
const Color kDimming(0, 0, 0, 0.2);
const Color kCard(0.97, 0.97, 0.97);

bool isPad() { return Device::current().userInterfaceIdiom == UserInterfaceIdiom::pad; }

std::shared_ptr<Label> makeLabel(const Font& font) {
  auto label = std::make_shared<Label>();
  label->setFont(font);
  label->setNumberOfLines(0);
  label->setTextAlignment(TextAlignment::center);
  return label;
}

// Lays a label out at a width when it has text; the height it took.
double placeLabel(Label& label, double y, double width) {
  if (label.text().empty()) {
    label.setFrame({kPadding, y, width - 2 * kPadding, 0});
    return 0;
  }
  const double height = label.sizeThatFits({width - 2 * kPadding, kUnlimited}).height;
  label.setFrame({kPadding, y, width - 2 * kPadding, height});
  return height;
}

}  // namespace

std::shared_ptr<AlertAction> AlertAction::make(std::optional<std::string> title, Style style, Handler handler) {
  return std::make_shared<AlertAction>(std::move(title), style, std::move(handler));
}

std::shared_ptr<AlertController> AlertController::make(std::optional<std::string> title,
                                                       std::optional<std::string> message, Style preferredStyle) {
  return std::make_shared<AlertController>(std::move(title), std::move(message), preferredStyle);
}

AlertController::AlertController(std::optional<std::string> title, std::optional<std::string> message,
                                 Style preferredStyle)
    : style_(preferredStyle), message_(std::move(message)) {
  setTitle(std::move(title));
  setModalPresentationStyle(preferredStyle == Style::actionSheet && isPad() ? ModalPresentationStyle::popover
                                                                            : ModalPresentationStyle::overFullScreen);
}

void AlertController::setMessage(std::optional<std::string> message) {
  message_ = std::move(message);
  if (messageLabel_) {
    messageLabel_->setText(message_.value_or(""));
    viewIfLoaded()->setNeedsLayout();
  }
}

void AlertController::addAction(std::shared_ptr<AlertAction> action) {
  if (!action) return;
  if (action->style() == AlertAction::Style::cancel &&
      std::any_of(actions_.begin(), actions_.end(),
                  [](const auto& a) { return a->style() == AlertAction::Style::cancel; })) {
    base::logError("AlertController: an alert has one cancel action; the second is left out");
    return;
  }
  actions_.push_back(std::move(action));
  rebuildButtons();
}

std::vector<std::shared_ptr<AlertAction>> AlertController::shownOrder() const {
  std::vector<std::shared_ptr<AlertAction>> order;
  std::shared_ptr<AlertAction> cancel;
  for (const auto& action : actions_) {
    if (action->style() == AlertAction::Style::cancel) {
      cancel = action;
    } else {
      order.push_back(action);
    }
  }
  if (!cancel) return order;
  // Two buttons side by side in an alert put cancel first; otherwise it comes last.
  if (style_ == Style::alert && order.size() == 1) {
    order.insert(order.begin(), cancel);
  } else {
    order.push_back(cancel);
  }
  return order;
}

bool AlertController::tapAction(std::size_t index) {
  if (index >= actions_.size()) return false;
  auto action = actions_[index];
  if (!action->isEnabled() || tapped_) return false;
  tapped_ = true;
  auto handler = action->handler_;
  auto run = [action, handler] {
    if (handler) handler(*action);
  };
  if (presentingViewController()) {
    dismiss(true, run);
  } else {
    run();
  }
  return true;
}

bool AlertController::tapAction(std::string_view title) {
  for (std::size_t i = 0; i < actions_.size(); ++i) {
    if (actions_[i]->title() == title) return tapAction(i);
  }
  return false;
}

void AlertController::viewWillAppear(bool animated) {
  ViewController::viewWillAppear(animated);
  tapped_ = false;
  // The platform refuses a popover that points at nothing; we show it in the middle instead.
  auto* popover = popoverPresentationController();
  if (popover && !popover->sourceView()) {
    base::logError("AlertController: an action sheet on a pad needs a source view; shown in the middle");
  }
}

// --- the view ---------------------------------------------------------------------------------------------

void AlertController::loadView() {
  auto root = std::make_shared<ControllerView<View>>(Screen::main().bounds);
  const bool popover = modalPresentationStyle() == ModalPresentationStyle::popover;
  root->setBackgroundColor(popover ? Color::clear() : kDimming);
  card_ = std::make_shared<View>();
  card_->setBackgroundColor(kCard);
  card_->layer().setCornerRadius(style_ == Style::alert ? 14 : 13);
  card_->setClipsToBounds(true);
  root->addSubview(card_);
  const bool sheet = style_ == Style::actionSheet;
  titleLabel_ = makeLabel(sheet ? Font::systemFont(13, FontWeight::semibold) : Font::systemFont(17, FontWeight::semibold));
  messageLabel_ = makeLabel(Font::systemFont(13));
  if (sheet) {
    titleLabel_->setTextColor(Color::gray());
    messageLabel_->setTextColor(Color::gray());
  }
  titleLabel_->setText(title().value_or(""));
  messageLabel_->setText(message_.value_or(""));
  card_->addSubview(titleLabel_);
  card_->addSubview(messageLabel_);
  if (sheet && !popover) {
    cancelCard_ = std::make_shared<View>();
    cancelCard_->setBackgroundColor(Color::white());
    cancelCard_->layer().setCornerRadius(13);
    cancelCard_->setClipsToBounds(true);
    root->addSubview(cancelCard_);
  }
  setView(root);
  rebuildButtons();
}

void AlertController::rebuildButtons() {
  if (!card_) return;
  for (const auto& button : buttons_) button->removeFromSuperview();
  buttons_.clear();
  std::weak_ptr<ViewController> weak = weak_from_this();
  for (const auto& action : shownOrder()) {
    auto button = std::make_shared<Button>();
    button->setTitle(action->title(), ControlState::normal);
    const bool cancel = action->style() == AlertAction::Style::cancel;
    button->setTitleColor(action->style() == AlertAction::Style::destructive ? kDestructive : card_->tintColor(),
                          ControlState::normal);
    button->titleLabel()->setFont(Font::systemFont(17, cancel ? FontWeight::semibold : FontWeight::regular));
    button->setEnabled(action->isEnabled());
    std::weak_ptr<AlertAction> weakAction = action;
    button->addAction(ControlEvent::touchUpInside, [weak, weakAction] {
      auto self = std::static_pointer_cast<AlertController>(weak.lock());
      auto action = weakAction.lock();
      if (!self || !action) return;
      auto it = std::find(self->actions_.begin(), self->actions_.end(), action);
      if (it != self->actions_.end()) self->tapAction(static_cast<std::size_t>(it - self->actions_.begin()));
    });
    (cancel && cancelCard_ ? cancelCard_ : card_)->addSubview(button);
    buttons_.push_back(button);
  }
  if (cancelCard_) cancelCard_->setHidden(!std::any_of(actions_.begin(), actions_.end(), [](const auto& a) {
    return a->style() == AlertAction::Style::cancel;
  }));
  viewIfLoaded()->setNeedsLayout();
}

Rect AlertController::cardFrame(double width, double height) const {
  const Rect bounds = viewIfLoaded()->bounds();
  const EdgeInsets safe = viewIfLoaded()->safeAreaInsets();
  if (style_ == Style::alert) return {(bounds.width() - width) / 2, (bounds.height() - height) / 2, width, height};
  if (modalPresentationStyle() != ModalPresentationStyle::popover) {
    const double cancel = cancelCard_ && !cancelCard_->isHidden() ? kSheetButtonHeight + kSheetMargin : 0;
    return {(bounds.width() - width) / 2, bounds.height() - safe.bottom - kSheetMargin - cancel - height, width, height};
  }
  // A popover stands under its source (above it when there is no room below), inside the bounds.
  Rect anchor{bounds.midX(), bounds.midY(), 0, 0};
  auto* popover = const_cast<AlertController*>(this)->popoverPresentationController();
  auto source = popover ? popover->sourceView() : nullptr;
  if (source && source->window() && source->window() == viewIfLoaded()->window()) {
    anchor = source->convert(popover->sourceRect(), viewIfLoaded().get());
  }
  double y = anchor.maxY() + kSheetMargin;
  if (y + height > bounds.height() - safe.bottom) y = anchor.minY() - kSheetMargin - height;
  const double x = std::clamp(anchor.midX() - width / 2, kSheetMargin, std::max(kSheetMargin, bounds.width() - width - kSheetMargin));
  return {x, std::max(safe.top, y), width, height};
}

void AlertController::layoutManagedViews() {
  if (!card_) return;
  const Rect bounds = viewIfLoaded()->bounds();
  const bool popover = modalPresentationStyle() == ModalPresentationStyle::popover;
  const double width = style_ == Style::alert ? kAlertWidth
                       : popover             ? kPopoverWidth
                                             : std::max(0.0, bounds.width() - 2 * kSheetMargin);
  const double buttonHeight = style_ == Style::alert ? kAlertButtonHeight : kSheetButtonHeight;
  const bool texts = !titleLabel_->text().empty() || !messageLabel_->text().empty();
  double y = texts ? kPadding : 0;
  const double titleHeight = placeLabel(*titleLabel_, y, width);
  y += titleHeight + (titleHeight > 0 ? 4 : 0);
  y += placeLabel(*messageLabel_, y, width);
  if (texts) y += kPadding;
  const bool sideBySide = style_ == Style::alert && buttons_.size() == 2;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    Button& button = *buttons_[i];
    if (button.superview() == cancelCard_.get()) {
      button.setFrame({0, 0, width, kSheetButtonHeight});
    } else if (sideBySide) {
      button.setFrame({width / 2 * static_cast<double>(i), y, width / 2, buttonHeight});
    } else {
      button.setFrame({0, y, width, buttonHeight});
      y += buttonHeight;
    }
  }
  if (sideBySide) y += buttonHeight;
  const Rect card = cardFrame(width, y);
  card_->setFrame(card);
  if (cancelCard_) cancelCard_->setFrame({card.x(), card.maxY() + kSheetMargin, width, kSheetButtonHeight});
}

}  // namespace ui
