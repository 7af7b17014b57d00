// The strip of tag chips above an offerwall list page: a sideways-scrolling view that owns its chips,
// gives every chip it makes its own style, selects the tapped chip alone (unless multiSelect is on),
// reports taps on a chip or its remove button to its delegate and scrolls the chosen chip into view.
// Style properties are copied into every chip on each assignment; layout properties lay the rows
// out again (rearrangeViews). Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/scroll_view.h"
#include "velkor/components/an_tag_view.h"

namespace velkor {

class ANTagListView;

// Raw values as the strip's users number them.
enum class TagListAlignment { left = 0, center = 1, right = 2, leading = 3, trailing = 4 };
enum class TagShowType {
  singleLine = 0,          // one row that scrolls sideways and follows the selection
  multiLine = 1,           // rows wrap within the screen width; no automatic scrolling
  singleLineNoFollow = 2,  // one scrolling row that never scrolls by itself
};
// Stored for the strip's users; no layout or selection rule reads it.
enum class TagListMode { normal = 0, drawer = 1 };

// Every method is optional: the defaults do nothing.
class ANTagListViewDelegate {
 public:
  virtual ~ANTagListViewDelegate() = default;
  // A chip was tapped; index is its place in tagViews, or -1.
  virtual void tagPressed(int index, ANTagView& tagView, ANTagListView& sender) {
    (void)index, (void)tagView, (void)sender;
  }
  virtual void modeChanged(TagShowType showType) { (void)showType; }
  // After every layout: whether the chips take more than one line.
  virtual void tagDrawered(bool drawered) { (void)drawered; }
  virtual void tagRemoveButtonPressed(const std::string& title, ANTagView& tagView, ANTagListView& sender) {
    (void)title, (void)tagView, (void)sender;
  }
};

class ANTagListView : public ui::ScrollView {
 public:
  using Alignment = TagListAlignment;

  ANTagListView() = default;
  explicit ANTagListView(const ui::Rect& frame) : ui::ScrollView(frame) {}

  // --- layout properties: each assignment lays the rows out again ---
  double tagListViewHorizontalPadding() const { return horizontalPadding_; }
  void setTagListViewHorizontalPadding(double padding);
  double tagListViewTopPadding() const { return topPadding_; }
  void setTagListViewTopPadding(double padding);
  double tagListViewBottomPadding() const { return bottomPadding_; }
  void setTagListViewBottomPadding(double padding);
  // Reads the top padding; writing sets the top, then the bottom padding.
  double tagListViewVerticalPadding() const { return topPadding_; }
  void setTagListViewVerticalPadding(double padding);
  double marginY() const { return marginY_; }
  void setMarginY(double margin);
  double marginX() const { return marginX_; }
  void setMarginX(double margin);
  double minWidth() const { return minWidth_; }
  void setMinWidth(double width);
  // Tells the delegate's modeChanged after the layout, also for an unchanged value.
  TagShowType showType() const { return showType_; }
  void setShowType(TagShowType showType);
  TagListMode tagListMode() const { return tagListMode_; }
  void setTagListMode(TagListMode mode);
  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment alignment);
  const ui::Color& shadowColor() const { return shadowColor_; }
  void setShadowColor(const ui::Color& color);
  double shadowRadius() const { return shadowRadius_; }
  void setShadowRadius(double radius);
  ui::Size shadowOffset() const { return shadowOffset_; }
  void setShadowOffset(ui::Size offset);
  float shadowOpacity() const { return shadowOpacity_; }
  void setShadowOpacity(float opacity);

  // --- style properties: each assignment goes to every chip ---
  const ui::Color& textColor() const { return textColor_; }
  void setTextColor(const ui::Color& color);
  const ui::Color& selectedTextColor() const { return selectedTextColor_; }
  void setSelectedTextColor(const ui::Color& color);
  ui::LineBreakMode tagLineBreakMode() const { return tagLineBreakMode_; }
  void setTagLineBreakMode(ui::LineBreakMode mode);
  const ui::Color& tagBackgroundColor() const { return tagBackgroundColor_; }
  void setTagBackgroundColor(const ui::Color& color);
  const std::optional<ui::Color>& tagHighlightedBackgroundColor() const { return tagHighlightedBackgroundColor_; }
  void setTagHighlightedBackgroundColor(std::optional<ui::Color> color);
  double tagHighlightedAlpha() const { return tagHighlightedAlpha_; }
  void setTagHighlightedAlpha(double alpha);
  const std::optional<ui::Color>& tagSelectedBackgroundColor() const { return tagSelectedBackgroundColor_; }
  void setTagSelectedBackgroundColor(std::optional<ui::Color> color);
  double cornerRadius() const { return cornerRadius_; }
  void setCornerRadius(double radius);
  double borderWidth() const { return borderWidth_; }
  void setBorderWidth(double width);
  const std::optional<ui::Color>& borderColor() const { return borderColor_; }
  void setBorderColor(std::optional<ui::Color> color);
  const std::optional<ui::Color>& selectedBorderColor() const { return selectedBorderColor_; }
  void setSelectedBorderColor(std::optional<ui::Color> color);
  // --- style and layout at once ---
  double paddingY() const { return paddingY_; }
  void setPaddingY(double padding);
  double paddingX() const { return paddingX_; }
  void setPaddingX(double padding);
  bool enableRemoveButton() const { return enableRemoveButton_; }
  void setEnableRemoveButton(bool enable);
  double removeButtonIconSize() const { return removeButtonIconSize_; }
  void setRemoveButtonIconSize(double size);
  double removeIconLineWidth() const { return removeIconLineWidth_; }
  void setRemoveIconLineWidth(double width);
  const ui::Color& removeIconLineColor() const { return removeIconLineColor_; }
  void setRemoveIconLineColor(const ui::Color& color);
  const ui::Font& textFont() const { return textFont_; }
  void setTextFont(const ui::Font& font);
  const ui::Font& selectedTextFont() const { return selectedTextFont_; }
  void setSelectedTextFont(const ui::Font& font);

  bool multiSelect() const { return multiSelect_; }
  void setMultiSelect(bool multiSelect) { multiSelect_ = multiSelect; }
  std::shared_ptr<ANTagListViewDelegate> listViewdelegate() const { return delegate_.lock(); }
  void setListViewdelegate(std::weak_ptr<ANTagListViewDelegate> delegate) { delegate_ = std::move(delegate); }

  // Written by the layout.
  double viewHeight() const { return viewHeight_; }
  double viewWidth() const { return viewWidth_; }
  int rows() const { return rows_; }
  double tagViewHeight() const { return tagViewHeight_; }
  const std::vector<std::shared_ptr<ANTagView>>& tagViews() const { return tagViews_; }
  const std::vector<std::shared_ptr<ui::View>>& tagBackgroundViews() const { return tagBackgroundViews_; }
  const std::vector<std::shared_ptr<ui::View>>& rowViews() const { return rowViews_; }

  // --- chips ---
  // Rebuilds the rows from scratch (see an_tag_list_view_layout.cc).
  void rearrangeViews();
  // A chip in the strip's style that reports its taps here; not yet added.
  std::shared_ptr<ANTagView> makeTagView(const std::string& title);
  std::shared_ptr<ANTagView> addTag(const std::string& title);
  // Returns the whole strip's chips, not only the new ones.
  std::vector<std::shared_ptr<ANTagView>> addTags(const std::vector<std::string>& titles);
  // A chip made elsewhere keeps its own style and reports no taps.
  std::shared_ptr<ANTagView> addANTagView(std::shared_ptr<ANTagView> tagView);
  std::vector<std::shared_ptr<ANTagView>> addANTagViews(const std::vector<std::shared_ptr<ANTagView>>& tagViews);
  // Selects the chip at the index alone. An index outside the strip changes nothing and is logged.
  void setTag(int index);
  std::shared_ptr<ANTagView> insertTag(const std::string& title, int index);
  // Index 0 up to the number of chips; outside that the chip is not inserted (logged).
  std::shared_ptr<ANTagView> insertANTagView(std::shared_ptr<ANTagView> tagView, int index);
  // Retitles the chip at the index without a new layout. An index outside the strip is logged.
  void setTitle(const std::string& title, int index);
  // Every chip with exactly that title, last first.
  void removeTag(const std::string& title);
  void removeANTagView(const std::shared_ptr<ANTagView>& tagView);
  void removeAllTags();
  std::vector<std::shared_ptr<ANTagView>> selectedTags() const;
  // Single-line strips only: puts the first selected chip at the left edge (or shows the end).
  void scrollToSelection();

  // --- overrides ---
  void traitCollectionDidChange(const ui::TraitCollection& previous) override;
  void layoutSubviews() override;
  // A drag that starts on any button scrolls the strip.
  bool touchesShouldCancel(ui::View* view) override;
  // The frame's width; the rows' height without the paddings.
  ui::Size intrinsicContentSize() const override;

 private:
  void handleTagTap(ANTagView& tagView);
  void handleRemoveTap(CloseButton& button);
  void scrollToTag(ANTagView& tagView, bool animated);
  double selectionOffset() const;
  void setContentOffsetWithin(double duration, double x);
  void reassignBorderColor();
  int indexOf(const ANTagView& tagView) const;
  bool isIndexInside(int index, std::size_t count, const char* operation) const;
  std::shared_ptr<ANTagView> insertAt(std::shared_ptr<ANTagView> tagView, std::size_t index);
  template <class Assign>
  void forEachTag(Assign assign) {
    for (const auto& tagView : tagViews_) assign(*tagView);
  }
  // Layout steps.
  struct RowState;
  void placeTag(std::size_t index, RowState& state);
  void startRow(ANTagView& tagView, RowState& state);
  void placeRow(RowState& state);

  double horizontalPadding_ = 15.0;
  double topPadding_ = 8.0;
  double bottomPadding_ = 8.0;
  double viewHeight_ = 0;
  double viewWidth_ = 0;
  ui::Color textColor_ = ui::Color::white();
  ui::Color selectedTextColor_ = ui::Color::white();
  ui::LineBreakMode tagLineBreakMode_ = ui::LineBreakMode::byTruncatingMiddle;
  ui::Color tagBackgroundColor_ = ui::Color::gray();
  std::optional<ui::Color> tagHighlightedBackgroundColor_;
  double tagHighlightedAlpha_ = 1.0;
  std::optional<ui::Color> tagSelectedBackgroundColor_;
  double cornerRadius_ = 0;
  double borderWidth_ = 0;
  std::optional<ui::Color> borderColor_;
  std::optional<ui::Color> selectedBorderColor_;
  double paddingY_ = 2.0;
  double paddingX_ = 5.0;
  double marginY_ = 2.0;
  double marginX_ = 5.0;
  double minWidth_ = 0;
  TagShowType showType_ = TagShowType::singleLine;
  TagListMode tagListMode_ = TagListMode::drawer;
  bool multiSelect_ = false;
  Alignment alignment_ = Alignment::leading;
  ui::Color shadowColor_ = ui::Color::white();
  double shadowRadius_ = 0;
  ui::Size shadowOffset_{0, 0};
  float shadowOpacity_ = 0;
  bool enableRemoveButton_ = false;
  double removeButtonIconSize_ = 12.0;
  double removeIconLineWidth_ = 1.0;
  ui::Color removeIconLineColor_ = ui::Color::white().withAlphaComponent(0.54);
  ui::Font textFont_ = ui::Font::systemFont(12);
  ui::Font selectedTextFont_ = ui::Font::systemFont(12);
  std::weak_ptr<ANTagListViewDelegate> delegate_;
  std::vector<std::shared_ptr<ANTagView>> tagViews_;
  std::vector<std::shared_ptr<ui::View>> tagBackgroundViews_;
  std::vector<std::shared_ptr<ui::View>> rowViews_;
  double tagViewHeight_ = 0;
  int rows_ = 0;
};

}  // namespace velkor
