// A button of a navigation bar: a title or an image (or a view of its own) with an action. The bar
// shows it as a button; a tap on that button (or tap()) runs the action while the item is enabled.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/color.h"
#include "platform/ui/image.h"

namespace ui {

class View;

class BarButtonItem : public std::enable_shared_from_this<BarButtonItem> {
 public:
  // Raw values as the platform numbers them.
  enum class Style { plain = 0, done = 2 };
  // Gets the item tapped. A target-action pair is a closure capturing its target (weakly when the
  // target may go first).
  using Action = std::function<void(BarButtonItem& sender)>;

  static std::shared_ptr<BarButtonItem> make(std::optional<std::string> title, Style style = Style::plain,
                                             Action action = {});
  static std::shared_ptr<BarButtonItem> make(Image image, Style style = Style::plain, Action action = {});
  // The bar shows the view itself; taps go to the view.
  static std::shared_ptr<BarButtonItem> make(std::shared_ptr<View> customView);

  const std::optional<std::string>& title() const { return title_; }
  void setTitle(std::optional<std::string> title) { title_ = std::move(title); }
  const std::optional<Image>& image() const { return image_; }
  void setImage(std::optional<Image> image) { image_ = std::move(image); }
  Style style() const { return style_; }
  void setStyle(Style style) { style_ = style; }
  const std::shared_ptr<View>& customView() const { return customView_; }
  const std::optional<Color>& tintColor() const { return tintColor_; }
  void setTintColor(std::optional<Color> color) { tintColor_ = std::move(color); }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }

  const Action& action() const { return action_; }
  void setAction(Action action) { action_ = std::move(action); }
  // A closure without the sender, in place of the action.
  void setPrimaryAction(std::function<void()> closure);
  // Runs the action when the item is enabled; true when it ran.
  bool tap();

  BarButtonItem() = default;

 private:
  std::optional<std::string> title_;
  std::optional<Image> image_;
  Style style_ = Style::plain;
  std::shared_ptr<View> customView_;
  std::optional<Color> tintColor_;
  bool enabled_ = true;
  Action action_;
};

}  // namespace ui
