// One selectable filter word of a tag strip: a button showing its title on a coloured, optionally
// bordered and rounded background, restyled on every change of its selected or highlighted state,
// sized from its title and paddings, with an optional remove button at its trailing edge.
//
// Every property assignment runs its effect, also for an equal value; the starting values are stored
// without effects, so a fresh chip shows none of them until its owner assigns its style.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/button.h"
#include "platform/ui/text_layout.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/components/close_button.h"

namespace velkor {

class ANTagView : public ui::Button {
 public:
  // A chip with the title for the normal state, at its natural size with its remove button added.
  static std::shared_ptr<ANTagView> make(const std::string& title);

  double cornerRadius() const { return cornerRadius_; }
  void setCornerRadius(double radius);
  double borderWidth() const { return borderWidth_; }
  void setBorderWidth(double width);
  const std::optional<ui::Color>& borderColor() const { return borderColor_; }
  void setBorderColor(std::optional<ui::Color> color);
  const ui::Color& textColor() const { return textColor_; }
  void setTextColor(const ui::Color& color);
  const ui::Color& selectedTextColor() const { return selectedTextColor_; }
  void setSelectedTextColor(const ui::Color& color);
  ui::LineBreakMode titleLineBreakMode() const { return titleLineBreakMode_; }
  void setTitleLineBreakMode(ui::LineBreakMode mode);
  double paddingY() const { return paddingY_; }
  void setPaddingY(double padding);
  double paddingX() const { return paddingX_; }
  void setPaddingX(double padding);
  const ui::Color& tagBackgroundColor() const { return tagBackgroundColor_; }
  void setTagBackgroundColor(const ui::Color& color);
  double highlightedAlpha() const { return highlightedAlpha_; }
  void setHighlightedAlpha(double alpha);
  const std::optional<ui::Color>& highlightedBackgroundColor() const { return highlightedBackgroundColor_; }
  void setHighlightedBackgroundColor(std::optional<ui::Color> color);
  const std::optional<ui::Color>& selectedBorderColor() const { return selectedBorderColor_; }
  void setSelectedBorderColor(std::optional<ui::Color> color);
  const std::optional<ui::Color>& selectedBackgroundColor() const { return selectedBackgroundColor_; }
  void setSelectedBackgroundColor(std::optional<ui::Color> color);
  // Each takes over the title at once, whatever the state, until the next restyle.
  const ui::Font& textFont() const { return textFont_; }
  void setTextFont(const ui::Font& font);
  const ui::Font& selectedTextFont() const { return selectedTextFont_; }
  void setSelectedTextFont(const ui::Font& font);
  const std::shared_ptr<CloseButton>& removeButton() const { return removeButton_; }
  bool enableRemoveButton() const { return enableRemoveButton_; }
  void setEnableRemoveButton(bool enable);
  double removeButtonIconSize() const { return removeButtonIconSize_; }
  void setRemoveButtonIconSize(double size);
  double removeIconLineWidth() const { return removeIconLineWidth_; }
  void setRemoveIconLineWidth(double width);
  const ui::Color& removeIconLineColor() const { return removeIconLineColor_; }
  void setRemoveIconLineColor(const ui::Color& color);
  // Called by the tag strip when the chip is tapped.
  std::function<void(ANTagView&)> onTap;

  void setSelected(bool selected) override;
  void setHighlighted(bool highlighted) override;
  // Measured with textFont whatever the state: the title and both paddings, never narrower than
  // tall, plus the remove button's room when it is on.
  ui::Size intrinsicContentSize() const override;
  void layoutSubviews() override;
  // Restyles, so an unselected chip's theme border follows its own new traits (the strip's own
  // re-assignment runs before its chips' traits have changed).
  void traitCollectionDidChange(const ui::TraitCollection& previous) override;

  // Use make(): the remove button must know the chip, which needs the chip's shared pointer.
  explicit ANTagView(const std::string& title);

 private:
  void configureSubviews();
  void applyStateStyle();
  void applySelectedStyle();
  void applyNormalStyle();
  void updateTrailingTitleInset();

  // The theme current when the chip was made; a later swap reaches only new chips.
  std::shared_ptr<VelkorColorScheme> colorScheme_;
  double cornerRadius_ = 0;
  double borderWidth_ = 0;
  std::optional<ui::Color> borderColor_;
  ui::Color textColor_ = ui::Color::white();
  ui::Color selectedTextColor_ = ui::Color::white();
  ui::LineBreakMode titleLineBreakMode_ = ui::LineBreakMode::byTruncatingMiddle;
  double paddingY_ = 2.0;
  double paddingX_ = 5.0;
  ui::Color tagBackgroundColor_ = ui::Color::gray();
  double highlightedAlpha_ = 1.0;
  std::optional<ui::Color> highlightedBackgroundColor_;
  std::optional<ui::Color> selectedBorderColor_;
  std::optional<ui::Color> selectedBackgroundColor_;
  ui::Font textFont_ = ui::Font::systemFont(12);
  ui::Font selectedTextFont_ = ui::Font::systemFont(12);
  std::shared_ptr<CloseButton> removeButton_ = std::make_shared<CloseButton>();
  bool enableRemoveButton_ = false;
  double removeButtonIconSize_ = 12.0;
  double removeIconLineWidth_ = 3.0;
  ui::Color removeIconLineColor_ = ui::Color::white().withAlphaComponent(0.54);
};

}  // namespace velkor
