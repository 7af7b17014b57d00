// The debouncer and the local day number on the manual clock, and the label's line height.
#include <gtest/gtest.h>

#include <vector>

#include "platform/dispatch/clock.h"
#include "platform/dispatch/main_loop.h"
#include "platform/ui/label.h"
#include "velkor/core/debouncer.h"
#include "velkor/core/label_line_height.h"
#include "velkor/core/local_day_number.h"

namespace velkor {
namespace {

using dispatch::Seconds;

struct TapCase {
  std::vector<double> gaps;  // seconds before each tap after the first
  int runs;
};

class DebouncerTaps : public ::testing::TestWithParam<TapCase> {};

TEST_P(DebouncerTaps, IgnoresTapsWithinASecondOfTheAcceptedOne) {
  dispatch::main_loop::TestScope loop;
  dispatch::ScopedManualClock clock;
  Debouncer debouncer;
  int runs = 0;
  debouncer.debounce([&] { ++runs; });
  for (double gap : GetParam().gaps) {
    clock->advance(Seconds(gap));
    debouncer.debounce([&] { ++runs; });
  }
  EXPECT_EQ(runs, GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(Gaps, DebouncerTaps,
                         ::testing::Values(TapCase{{0.5}, 1}, TapCase{{1.0}, 2}, TapCase{{0.999}, 1},
                                           // An ignored tap does not restart the second.
                                           TapCase{{0.6, 0.6}, 2}, TapCase{{0.0, 0.0, 1.0}, 2}));

struct DayCase {
  double seconds;
  int offset;
  std::int64_t day;
};

class LocalDayNumber : public ::testing::TestWithParam<DayCase> {};

TEST_P(LocalDayNumber, CountsDaysInTheCurrentTimeZone) {
  dispatch::ScopedManualClock clock(1'780'000'000.0, GetParam().offset);
  EXPECT_EQ(localDayNumber(base::Date(GetParam().seconds)), GetParam().day);
}

constexpr double kDay = 86400;
INSTANTIATE_TEST_SUITE_P(
    Dates, LocalDayNumber,
    ::testing::Values(
        // Local midnight is the last moment of its day; a second later the next day begins.
        DayCase{20000 * kDay, 0, 20000}, DayCase{20000 * kDay + 1, 0, 20001},
        DayCase{20000 * kDay - 9 * 3600, 9 * 3600, 20000}, DayCase{20000 * kDay - 9 * 3600 + 1, 9 * 3600, 20001},
        // 16:00 UTC is already the next day nine hours east.
        DayCase{20000 * kDay + 16 * 3600, 0, 20001}, DayCase{20000 * kDay + 16 * 3600, 9 * 3600, 20002},
        DayCase{-0.5, 0, 0}));

base::ParagraphStyle lineHeightStyle(double multiple, base::TextAlignment alignment) {
  base::ParagraphStyle style;
  style.lineSpacing = 1.0;
  style.lineHeightMultiple = multiple;
  style.alignment = alignment;
  return style;
}

TEST(SetLineHeight, StylesPlainTextInTheLabelsFont) {
  ui::Label label;
  label.setFont(ui::Font::systemFont(13));
  label.setTextAlignment(base::TextAlignment::center);
  label.setText("적립 안내");
  setLineHeight(label, 1.4);

  const auto runs = label.attributedText().runs();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(label.text(), "적립 안내");
  EXPECT_EQ(runs[0].attributes.paragraphStyle, lineHeightStyle(1.4, base::TextAlignment::center));
  EXPECT_EQ(runs[0].attributes.font, ui::Font::systemFont(13).toFontDescription());
}

TEST(SetLineHeight, KeepsTheAttributesOfAttributedText) {
  ui::Label label;
  base::AttributedString text("1,500P 받기");
  base::Attributes red;
  red.foregroundColor = base::ColorDescription{base::Rgba{1, 0, 0, 1}};
  text.addAttributes(red, {0, 6});
  label.setAttributedText(text);
  setLineHeight(label, 1.2);

  const auto runs = label.attributedText().runs();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].attributes.foregroundColor, red.foregroundColor);
  EXPECT_FALSE(runs[1].attributes.font) << "attributed text keeps its own fonts";
  for (const auto& run : runs) {
    EXPECT_EQ(run.attributes.paragraphStyle, lineHeightStyle(1.2, label.textAlignment()));
  }
}

TEST(SetLineHeight, LeavesALabelWithoutTextEmpty) {
  ui::Label label;
  setLineHeight(label, 1.5);
  EXPECT_EQ(label.attributedText(), base::AttributedString());
}

}  // namespace
}  // namespace velkor
