// An alert or an action sheet: a title, a message and buttons for its actions (default, cancel,
// destructive). A tap on a button (through the touch simulation, or tapAction() from a host or a
// test) dismisses it, animated, and runs that action's handler once it is gone; an alert that is
// not presented runs the handler at once. Only the first tap counts.
//
// It presents over full screen (the presenter hears nothing). On a pad an action sheet is a
// popover: its popoverPresentationController() records the source view and rectangle it points at.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/label.h"
#include "platform/ui/view_controller.h"

namespace ui {

class AlertAction {
 public:
  // Raw values as the platform numbers them.
  enum class Style { defaultStyle = 0, cancel = 1, destructive = 2 };
  using Handler = std::function<void(AlertAction& action)>;

  static std::shared_ptr<AlertAction> make(std::optional<std::string> title, Style style = Style::defaultStyle,
                                           Handler handler = {});

  const std::optional<std::string>& title() const { return title_; }
  Style style() const { return style_; }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }

  AlertAction(std::optional<std::string> title, Style style, Handler handler)
      : title_(std::move(title)), style_(style), handler_(std::move(handler)) {}

 private:
  friend class AlertController;
  std::optional<std::string> title_;
  Style style_;
  Handler handler_;
  bool enabled_ = true;
};

class AlertController : public ViewController {
 public:
  // Raw values as the platform numbers them.
  enum class Style { actionSheet = 0, alert = 1 };

  static std::shared_ptr<AlertController> make(std::optional<std::string> title, std::optional<std::string> message,
                                               Style preferredStyle);
  AlertController(std::optional<std::string> title, std::optional<std::string> message, Style preferredStyle);

  Style preferredStyle() const { return style_; }
  const std::optional<std::string>& message() const { return message_; }
  void setMessage(std::optional<std::string> message);

  // In the order added. A second cancel action is refused (logged): there is one cancel button.
  void addAction(std::shared_ptr<AlertAction> action);
  const std::vector<std::shared_ptr<AlertAction>>& actions() const { return actions_; }

  // Taps an action by its index in actions() or by its title (the first with it). False when there
  // is no such action, it is disabled, or an action was tapped already.
  bool tapAction(std::size_t index);
  bool tapAction(std::string_view title);

  // What it shows.
  const std::shared_ptr<Label>& titleLabel() { loadViewIfNeeded(); return titleLabel_; }
  const std::shared_ptr<Label>& messageLabel() { loadViewIfNeeded(); return messageLabel_; }
  // One button an action, in the order shown (a cancel button last, or first of two in an alert).
  const std::vector<std::shared_ptr<Button>>& actionButtons() { loadViewIfNeeded(); return buttons_; }
  // The card holding the title, the message and the buttons.
  const std::shared_ptr<View>& cardView() { loadViewIfNeeded(); return card_; }

  void loadView() override;
  void viewWillAppear(bool animated) override;

 protected:
  void layoutManagedViews() override;

 private:
  std::vector<std::shared_ptr<AlertAction>> shownOrder() const;
  void rebuildButtons();
  Rect cardFrame(double cardWidth, double cardHeight) const;

  Style style_;
  std::optional<std::string> message_;
  std::vector<std::shared_ptr<AlertAction>> actions_;
  bool tapped_ = false;
  std::shared_ptr<View> card_;
  std::shared_ptr<View> cancelCard_;
  std::shared_ptr<Label> titleLabel_;
  std::shared_ptr<Label> messageLabel_;
  std::vector<std::shared_ptr<Button>> buttons_;
};

}  // namespace ui
