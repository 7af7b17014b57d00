#include "velkor/components/an_tag_list_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/velkor/components/widget_test_support.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

// A chip of a fixed natural size, so the layout's arithmetic can be checked to the point.
class FixedChip : public ANTagView {
 public:
  FixedChip(double width, double height) : ANTagView(""), size_{width, height} {}
  ui::Size intrinsicContentSize() const override { return size_; }

 private:
  ui::Size size_;
};

struct Recorder : ANTagListViewDelegate {
  void tagPressed(int index, ANTagView& tagView, ANTagListView&) override { pressed.emplace_back(index, &tagView); }
  void tagDrawered(bool value) override { drawered.push_back(value); }
  void tagRemoveButtonPressed(const std::string& title, ANTagView&, ANTagListView&) override {
    removed.push_back(title);
  }
  std::vector<std::pair<int, ANTagView*>> pressed;
  std::vector<bool> drawered;
  std::vector<std::string> removed;
};

struct Strip {
  std::shared_ptr<ANTagListView> view = std::make_shared<ANTagListView>(ui::Rect(0, 0, 375, 40));
  std::shared_ptr<Recorder> delegate = std::make_shared<Recorder>();
  Strip() { view->setListViewdelegate(delegate); }
  void addFixed(const std::vector<double>& widths) {
    std::vector<std::shared_ptr<ANTagView>> chips;
    for (double width : widths) chips.push_back(std::make_shared<FixedChip>(width, 20));
    view->addANTagViews(chips);
  }
};

TEST(ANTagListLayoutTest, RowsFollowTheWorkedExamples) {
  testing::ScopedPhone phone(375);
  struct Row {
    double x, y, width;
  };
  struct Case {
    const char* name;
    std::vector<double> chips;
    TagShowType showType = TagShowType::singleLine;
    TagListAlignment alignment = TagListAlignment::left;
    bool rightToLeft = false;
    double minWidth = 0;
    std::vector<Row> rows;
    std::vector<double> holderXs;
    double contentWidth, viewHeight, naturalHeight;
    bool drawered;
  };
  using enum TagShowType;
  using enum TagListAlignment;
  const std::vector<Case> cases = {
      {"one line, centred", {60, 80}, singleLine, center, false, 0, {{102.5, 8, 160}}, {15, 80}, 277.5, 36, 20, false},
      {"one line, right", {60, 80}, singleLine, right, false, 0, {{205, 8, 160}}, {15, 80}, 380, 36, 20, false},
      {"leading right to left is right", {60, 80}, singleLine, leading, true, 0, {{205, 8, 160}}, {15, 80}, 380, 36,
       20, false},
      {"trailing right to left is left", {60, 80}, singleLine, trailing, true, 0, {{0, 8, 160}}, {15, 80}, 175, 36, 20,
       false},
      {"wrapping", {200, 180}, multiLine, left, false, 0, {{0, 8, 220}, {0, 30, 195}}, {15, 15}, 345, 58, 42, true},
      {"the first row wraps at the screen width - 4", {200, 150}, multiLine, left, false, 0, {{0, 8, 370}}, {15, 220},
       345, 36, 20, true},
      // A chip that ends exactly at its row's limit (the screen width - 4 on the first row, the room
      // on the others) stays on the row.
      {"chips ending exactly at the limits", {200, 151, 180, 160}, multiLine, left, false, 0,
       {{0, 8, 376}, {0, 30, 360}}, {15, 220, 15, 200}, 345, 58, 42, true},
      {"a chip wider than the room is narrowed", {400}, singleLine, left, false, 0, {{0, 8, 375}}, {15}, 390, 36, 20,
       true},
      {"minWidth widens narrow chips only", {60, 80}, singleLine, left, false, 70, {{0, 8, 170}}, {15, 90}, 185, 36,
       20, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Strip strip;
    if (c.rightToLeft) strip.view->setSemanticContentAttribute(ui::SemanticContentAttribute::forceRightToLeft);
    strip.view->setShowType(c.showType);
    strip.view->setAlignment(c.alignment);
    strip.view->setMinWidth(c.minWidth);
    strip.addFixed(c.chips);
    auto& view = *strip.view;
    ASSERT_EQ(view.rowViews().size(), c.rows.size());
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
      const auto frame = view.rowViews()[i]->frame();
      EXPECT_EQ(frame, ui::Rect(c.rows[i].x, c.rows[i].y, c.rows[i].width, 20)) << "row " << i;
      EXPECT_EQ(view.rowViews()[i]->transform().a, c.rightToLeft ? -1 : 1);
    }
    for (std::size_t i = 0; i < c.holderXs.size(); ++i) {
      EXPECT_DOUBLE_EQ(view.tagBackgroundViews()[i]->frame().x(), c.holderXs[i]) << "holder " << i;
      EXPECT_EQ(view.tagBackgroundViews()[i]->transform().a, c.rightToLeft ? -1 : 1);
      EXPECT_EQ(view.tagViews()[i]->superview(), view.tagBackgroundViews()[i].get());
    }
    EXPECT_DOUBLE_EQ(view.contentSize().width, c.contentWidth);
    EXPECT_DOUBLE_EQ(view.viewHeight(), c.viewHeight);
    EXPECT_DOUBLE_EQ(view.intrinsicContentSize().height, c.naturalHeight);
    EXPECT_EQ(view.rows(), static_cast<int>(c.rows.size()));
    EXPECT_EQ(strip.delegate->drawered.back(), c.drawered);
  }
}

TEST(ANTagListLayoutTest, AnEmptiedStripKeepsItsLastExtent) {
  testing::ScopedPhone phone(375);
  Strip strip;
  strip.view->rearrangeViews();
  EXPECT_EQ(strip.view->rows(), 0);
  EXPECT_DOUBLE_EQ(strip.view->intrinsicContentSize().height, 0);
  EXPECT_FALSE(strip.delegate->drawered.back());
  strip.addFixed({60, 80});
  strip.view->removeANTagView(strip.view->tagViews().back());
  strip.view->removeANTagView(strip.view->tagViews().back());
  EXPECT_TRUE(strip.view->rowViews().empty());
  EXPECT_EQ(strip.view->rows(), 0);
  EXPECT_DOUBLE_EQ(strip.view->contentSize().width, 90);
  EXPECT_DOUBLE_EQ(strip.view->viewHeight(), 36);
}

TEST(ANTagListViewTest, TapsSelectAndReport) {
  testing::ScopedPhone phone;
  Strip strip;
  strip.view->addTags({"전체", "신규"});
  const auto all = strip.view->addTags({"간편미션", "구독", "한정"});
  ASSERT_EQ(all.size(), 5u) << "the whole strip, not only the new chips";
  int onTaps = 0;
  all[1]->onTap = [&](ANTagView&) { ++onTaps; };

  for (int round = 0; round < 2; ++round) {  // a second tap on the selected chip keeps it selected
    all[1]->sendActions(ui::ControlEvent::touchUpInside);
    ASSERT_EQ(strip.view->selectedTags().size(), 1u);
    EXPECT_EQ(strip.view->selectedTags()[0], all[1]);
  }
  strip.view->setMultiSelect(true);
  all[3]->sendActions(ui::ControlEvent::touchUpInside);
  EXPECT_EQ(strip.view->selectedTags().size(), 1u) << "multiple selection leaves the choice to the caller";
  EXPECT_EQ(onTaps, 2);
  ASSERT_EQ(strip.delegate->pressed.size(), 3u);
  EXPECT_EQ(strip.delegate->pressed[2], std::make_pair(3, all[3].get()));

  const auto gone = all[4];
  strip.view->removeANTagView(gone);
  gone->sendActions(ui::ControlEvent::touchUpInside);
  EXPECT_EQ(strip.delegate->pressed.back().first, -1);

  // A chip made elsewhere reports nothing; a remove button reports its chip's title.
  auto own = ANTagView::make("외부");
  strip.view->addANTagView(own);
  own->sendActions(ui::ControlEvent::touchUpInside);
  EXPECT_EQ(strip.delegate->pressed.size(), 4u);
  all[2]->removeButton()->sendActions(ui::ControlEvent::touchUpInside);
  EXPECT_EQ(strip.delegate->removed, std::vector<std::string>{"간편미션"});
  EXPECT_EQ(strip.view->tagViews().size(), 5u) << "the strip removes nothing by itself";
}

TEST(ANTagListViewTest, IndexesOutsideTheStripChangeNothing) {
  testing::ScopedPhone phone;
  Strip strip;
  const auto chips = strip.view->addTags({"전체", "신규", "구독"});
  strip.view->setTag(1);
  ::testing::internal::CaptureStderr();
  strip.view->setTag(3);
  strip.view->setTag(-1);
  strip.view->setTitle("바뀜", 3);
  auto stray = ANTagView::make("밖");
  strip.view->insertANTagView(stray, 4);
  const std::string logged = ::testing::internal::GetCapturedStderr();
  std::size_t lines = 0;
  for (auto at = logged.find("[velkor:Error]"); at != std::string::npos; at = logged.find("[velkor:Error]", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 4u) << logged;
  EXPECT_EQ(strip.view->tagViews(), chips);
  EXPECT_EQ(strip.view->selectedTags(), std::vector<std::shared_ptr<ANTagView>>{chips[1]});

  strip.view->insertANTagView(stray, 3);  // at the end is inside
  EXPECT_EQ(strip.view->tagViews().back(), stray);
  strip.view->setTitle("바뀜", 0);
  EXPECT_EQ(chips[0]->titleLabel()->text(), "바뀜");
  chips[0]->setSelected(true);
  EXPECT_EQ(chips[0]->titleLabel()->text(), "바뀜") << "a restyle keeps the new title";
}

TEST(ANTagListViewTest, ScrollToSelectionPutsTheChosenChipAtTheEdgeOrShowsTheEnd) {
  testing::ScopedPhone phone;
  struct Case {
    const char* name;
    double frameWidth;
    TagShowType showType;
    double offset;
  };
  const std::vector<Case> cases = {
      {"room after the chip", 100, TagShowType::singleLine, 64},
      {"near the end", 200, TagShowType::singleLine, 50},
      {"wrapping strips do not scroll", 100, TagShowType::multiLine, 0},
      {"nor do strips that never follow", 100, TagShowType::singleLineNoFollow, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Strip strip;
    strip.view->setFrame(ui::Rect(0, 0, c.frameWidth, 40));
    strip.view->setShowType(c.showType);
    strip.addFixed({60, 80, 70});
    strip.view->tagViews()[1]->setSelected(true);
    strip.view->scrollToSelection();
    EXPECT_DOUBLE_EQ(strip.view->contentOffset().x, c.offset);
  }
}

TEST(ANTagListViewTest, ATraitChangeRestylesUnselectedChipsInTheNewAppearance) {
  testing::ScopedPhone phone;
  const auto saved = VelkorInternal::shared().colorScheme();
  auto scheme = std::make_shared<VelkorColorScheme>();
  const ui::Color light(1, 0, 0), dark(0, 0, 1);
  scheme->setTagItemBorderNormalColor(ui::Color::dynamic(light, dark));
  VelkorInternal::shared().setColorScheme(scheme);
  Strip strip;
  strip.view->addTags({"전체", "신규"});
  VelkorInternal::shared().setColorScheme(saved);
  EXPECT_EQ(strip.view->tagViews()[1]->layer().borderColor(), light);
  strip.view->setOverrideUserInterfaceStyle(ui::UserInterfaceStyle::dark);
  EXPECT_EQ(strip.view->tagViews()[1]->layer().borderColor(), dark);
}

}  // namespace
}  // namespace velkor
