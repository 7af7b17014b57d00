// A button: a control showing a title (plain with a colour, or attributed) and an image, each set
// per control state. A state without its own value shows the normal state's, as on the platform
// (a combined state such as selected and highlighted included).
//
// Layout: the content rectangle is the bounds inset by contentEdgeInsets; the image and the title,
// each in a box grown by its own insets, sit side by side (image first), centred in it. The
// natural size is the image and the title with contentEdgeInsets around them: as on the platform,
// the title's and the image's insets move them without changing the natural size.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/base/attributed_string.h"
#include "platform/ui/control.h"
#include "platform/ui/image.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"

namespace ui {

class Button : public Control {
 public:
  Button();
  explicit Button(const Rect& frame);

  // --- per-state content; none clears the state's own value ---
  void setTitle(std::optional<std::string> title, ControlState state);
  std::optional<std::string> title(ControlState state) const;
  // White for the normal state at first.
  void setTitleColor(std::optional<Color> color, ControlState state);
  std::optional<Color> titleColor(ControlState state) const;
  // Shown instead of the plain title of the state when set.
  void setAttributedTitle(std::optional<base::AttributedString> title, ControlState state);
  std::optional<base::AttributedString> attributedTitle(ControlState state) const;
  void setImage(std::optional<Image> image, ControlState state);
  std::optional<Image> image(ControlState state) const;

  // What the current state shows.
  std::optional<std::string> currentTitle() const { return title(state()); }
  std::optional<Color> currentTitleColor() const { return titleColor(state()); }
  std::optional<base::AttributedString> currentAttributedTitle() const { return attributedTitle(state()); }
  std::optional<Image> currentImage() const { return image(state()); }

  // The label and image view showing them (the label: system font 15, truncating the middle).
  const std::shared_ptr<Label>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<ImageView>& imageView() const { return imageView_; }

  const EdgeInsets& contentEdgeInsets() const { return contentEdgeInsets_; }
  void setContentEdgeInsets(const EdgeInsets& insets);
  const EdgeInsets& titleEdgeInsets() const { return titleEdgeInsets_; }
  void setTitleEdgeInsets(const EdgeInsets& insets);
  const EdgeInsets& imageEdgeInsets() const { return imageEdgeInsets_; }
  void setImageEdgeInsets(const EdgeInsets& insets);

  void setEnabled(bool enabled) override;
  void setSelected(bool selected) override;
  void setHighlighted(bool highlighted) override;

  // Overridable geometry, in the button's coordinates.
  virtual Rect contentRect(const Rect& bounds) const;
  virtual Rect imageRect(const Rect& contentRect) const;
  virtual Rect titleRect(const Rect& contentRect) const;

  Size intrinsicContentSize() const override;
  Size sizeThatFits(Size size) const override;
  void layoutSubviews() override;

 private:
  template <class T>
  using PerState = std::map<unsigned, T>;
  template <class T>
  static std::optional<T> lookUp(const PerState<T>& values, ControlState state);
  template <class T>
  void store(PerState<T>& values, std::optional<T> value, ControlState state);

  // Shows the current state's title and image, and lays out again.
  void updateContent();
  Size imageSize() const;
  Size titleSize(double width, double height) const;
  bool hasTitle() const;

  std::shared_ptr<Label> titleLabel_;
  std::shared_ptr<ImageView> imageView_;
  PerState<std::string> titles_;
  PerState<Color> titleColors_;
  PerState<base::AttributedString> attributedTitles_;
  PerState<Image> images_;
  EdgeInsets contentEdgeInsets_;
  EdgeInsets titleEdgeInsets_;
  EdgeInsets imageEdgeInsets_;
};

}  // namespace ui
