#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/platform/ui/compact_row_cell.h"

namespace ui::testing {
namespace {

using Frames = std::map<std::string, Rect>;

Frames framesOf(const CompactRowCell& cell) {
  return {
      {"contentWrapper", cell.contentWrapper->frame()}, {"separatorView", cell.separatorView->frame()},
      {"thumbImageView", cell.thumbImageView->frame()}, {"leftView", cell.leftView->frame()},
      {"titleLabel", cell.titleLabel->frame()}, {"subtitleLabel", cell.subtitleLabel->frame()},
      {"rewardButtonView", cell.rewardButtonView->frame()},
      {"rewardButtonTitleLabel", cell.rewardButtonTitleLabel->frame()}, {"infoView", cell.infoView->frame()},
      {"infoContentStackView", cell.infoContentStackView->frame()}, {"infoIconView", cell.infoIconView->frame()},
      {"infoTitleLabel", cell.infoTitleLabel->frame()}, {"markNewImageView", cell.markNewImageView->frame()},
  };
}

void expectFrames(const Frames& actual, const Frames& expected, const std::string& context) {
  for (const auto& [name, frame] : expected) {
    EXPECT_EQ(actual.at(name), frame) << context << ": " << name;
  }
}

// A 160-point title fits beside the button at 375 points; at 320 the text column may reach only
// 10 points before the button, so the title is compressed to 136.
TEST(CompactRowCell, DeterminedFramesAtTwoWidths) {
  struct Case {
    double width;
    Frames expected;
  };
  const Case cases[] = {
      {375,
       {{"contentWrapper", {0, 0, 375, 88}}, {"separatorView", {0, 0, 375, 0.5}},
        {"thumbImageView", {16, 18, 52, 52}}, {"leftView", {78, 25.5, 160, 37}}, {"titleLabel", {0, 0, 160, 16}},
        {"subtitleLabel", {0, 18, 90, 19}}, {"rewardButtonView", {279, 24, 80, 40}},
        {"rewardButtonTitleLabel", {18, 12.5, 44, 17}}, {"infoView", {0, 0, 375, 88}},
        {"infoContentStackView", {143, 32, 89, 24}}, {"infoIconView", {0, 0, 24, 24}},
        {"infoTitleLabel", {29, 0, 60, 24}}, {"markNewImageView", {0, 0, 15, 15}}}},
      {320,
       {{"contentWrapper", {0, 0, 320, 88}}, {"separatorView", {0, 0, 320, 0.5}},
        {"thumbImageView", {16, 18, 52, 52}}, {"leftView", {78, 25.5, 136, 37}}, {"titleLabel", {0, 0, 136, 16}},
        {"subtitleLabel", {0, 18, 90, 19}}, {"rewardButtonView", {224, 24, 80, 40}},
        {"rewardButtonTitleLabel", {18, 12.5, 44, 17}}, {"infoView", {0, 0, 320, 88}},
        {"infoContentStackView", {115.5, 32, 89, 24}}, {"infoIconView", {0, 0, 24, 24}},
        {"infoTitleLabel", {29, 0, 60, 24}}}},
  };
  for (const Case& c : cases) {
    CompactRowCell cell(c.width, 88);
    cell.contentView->layoutIfNeeded();
    expectFrames(framesOf(cell), c.expected, "width " + std::to_string(c.width));
    // The text column stops at least the gap before the button.
    EXPECT_LE(cell.leftView->frame().maxX() + CompactRowCell::gapBetweenTextAndButton,
              cell.rewardButtonView->frame().minX());
  }
}

TEST(CompactRowCell, NewMarkFollowsTheTitleAndKeepsClearOfTheButton) {
  struct Case {
    double width;
    Rect title, mark, leftView;
  };
  for (const Case& c : {Case{375, {0, 0, 160, 16}, {162, 0.5, 15, 15}, {78, 25.5, 160, 37}},
                        Case{320, {0, 0, 119, 16}, {121, 0.5, 15, 15}, {78, 25.5, 119, 37}}}) {
    CompactRowCell cell(c.width, 88);
    cell.contentView->layoutIfNeeded();
    Frames before = framesOf(cell);

    cell.setMarkNewImageViewLayout(false);
    cell.contentView->layoutIfNeeded();
    EXPECT_EQ(cell.markNewImageView->superview(), cell.leftView.get());
    EXPECT_EQ(cell.titleLabel->frame(), c.title) << c.width;
    EXPECT_EQ(cell.markNewImageView->frame(), c.mark) << c.width;
    EXPECT_EQ(cell.leftView->frame(), c.leftView) << c.width;

    // Shown again while shown (the once-a-second status update): the same place.
    cell.setMarkNewImageViewLayout(false);
    cell.contentView->layoutIfNeeded();
    EXPECT_EQ(cell.markNewImageView->frame(), c.mark) << c.width;

    // Gone: its constraints to the title and the button go with it, and the title has its room back.
    cell.setMarkNewImageViewLayout(true);
    cell.contentView->layoutIfNeeded();
    EXPECT_EQ(cell.markNewImageView->superview(), nullptr);
    EXPECT_EQ(cell.titleLabel->frame(), before.at("titleLabel")) << c.width;
    EXPECT_EQ(cell.leftView->frame(), before.at("leftView")) << c.width;

    cell.setMarkNewImageViewLayout(false);
    cell.contentView->layoutIfNeeded();
    EXPECT_EQ(cell.markNewImageView->frame(), c.mark) << "placed anew at " << c.width;
  }
}

}  // namespace
}  // namespace ui::testing
