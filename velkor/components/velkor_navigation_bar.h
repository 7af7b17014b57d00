// The offerwall's navigation bar: its content (title, back, close and help buttons) comes from the
// framework's nib "VelkorNavigationBar" and lies over the whole bar. Screens set the title and
// colours through it and attach their own actions to the three buttons. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/button.h"
#include "platform/ui/constraint.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/navigation_bar.h"

namespace velkor {

class VelkorNavigationBar : public ui::NavigationBar {
 public:
  static constexpr const char* kNibName = "VelkorNavigationBar";

  VelkorNavigationBar();
  explicit VelkorNavigationBar(const ui::Rect& frame);

  // Outlets the nib connects: the views held weakly (the bar's content owns them), the help
  // button's width constraint strongly.
  std::shared_ptr<ui::View> contentView() const { return contentView_.lock(); }
  void setContentView(const std::shared_ptr<ui::View>& view) { contentView_ = view; }
  std::shared_ptr<ui::Label> titleLabel() const { return titleLabel_.lock(); }
  void setTitleLabel(const std::shared_ptr<ui::Label>& label) { titleLabel_ = label; }
  std::shared_ptr<ui::Button> backBarButton() const { return backBarButton_.lock(); }
  void setBackBarButton(const std::shared_ptr<ui::Button>& button) { backBarButton_ = button; }
  std::shared_ptr<ui::Button> closeButton() const { return closeButton_.lock(); }
  void setCloseButton(const std::shared_ptr<ui::Button>& button) { closeButton_ = button; }
  std::shared_ptr<ui::Button> helpButton() const { return helpButton_.lock(); }
  void setHelpButton(const std::shared_ptr<ui::Button>& button) { helpButton_ = button; }
  const std::shared_ptr<ui::Constraint>& helpButtonWidthConstraint() const { return helpButtonWidthConstraint_; }
  void setHelpButtonWidthConstraint(std::shared_ptr<ui::Constraint> constraint) {
    helpButtonWidthConstraint_ = std::move(constraint);
  }

  // The title label's text.
  virtual std::optional<std::string> title() const;
  virtual void setTitle(const std::string& title);
  virtual void setTitleColor(const ui::Color& color);
  virtual void setBackButtonImage(std::optional<ui::Image> image);

  // The bar's own back title never shows.
  void layoutSubviews() override;

 protected:
  virtual void commonInit();

 private:
  std::weak_ptr<ui::View> contentView_;
  std::weak_ptr<ui::Label> titleLabel_;
  std::weak_ptr<ui::Button> backBarButton_;
  std::weak_ptr<ui::Button> closeButton_;
  std::weak_ptr<ui::Button> helpButton_;
  std::shared_ptr<ui::Constraint> helpButtonWidthConstraint_;
};

// Shows one of the bar's buttons with this action as its only one: the bar outlives the screens
// that come and go under it, so each screen's appearance takes away the earlier screen's actions.
void showBarButton(ui::Button& button, std::function<void()> action);

}  // namespace velkor
