#include "velkor/offerwall/rows/countdown_text.h"

#include <gtest/gtest.h>

#include "platform/base/defaults.h"
#include "tests/velkor/offerwall/rows/rows_testing.h"

namespace velkor::testing {
namespace {

class CountdownTextTest : public ScreenTest {};

TEST_F(CountdownTextTest, RemainingTimesAreTruncatedNeverNegativeAndTurnIntoDaysAtADay) {
  struct Case {
    double secondsLeft;
    const char* text;
  } cases[] = {
      {-30, "00:00:00"},          {0, "00:00:00"},          {59.9, "00:00:59"},         {3725, "01:02:05"},
      {86399, "23:59:59"},        {86400, "1일 00시간 남음"}, {90061, "1일 01시간 남음"}, {360000, "4일 04시간 남음"},
      {1e300, "11574074074일 01시간 남음"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.secondsLeft);
    EXPECT_EQ(remainingTimeText(remainingSeconds(kNow + c.secondsLeft)), c.text);
  }
}

TEST_F(CountdownTextTest, TheServerClocksGapShortensEveryCountdown) {
  base::Defaults::standard()->setDouble("server_time_gap", 60);
  EXPECT_EQ(remainingSeconds(kNow + 3600), 3540);
}

TEST_F(CountdownTextTest, EachPlaceholderIsFilledOnceFromItsOwnDateOrRemovedWithoutOne) {
  struct Case {
    const char* callToAction;
    double next;   // seconds from now; 0: no date
    double delay;  // the same
    const char* text;
  } cases[] = {
      {"{NEXT_PARTICIPATE_TIME} 후 참여", 3725, 0, "01:02:05 후 참여"},
      {"{NEXT_PARTICIPATE_TIME} 후 참여", 0, 0, " 후 참여"},
      {"A {NEXT_PARTICIPATE_TIME} B {DELAY_COMPLETE_TIME}", 60, 86400, "A 00:01:00 B 1일 00시간 남음"},
      {"{NEXT_PARTICIPATE_TIME}|{DELAY_COMPLETE_TIME}", 0, 1, "|00:00:01"},
      {"{NEXT_PARTICIPATE_TIME}/{NEXT_PARTICIPATE_TIME}", 5, 0, "00:00:05/{NEXT_PARTICIPATE_TIME}"},
      {"{DELAY_COMPLETE_TIME}{DELAY_COMPLETE_TIME}", 0, 0, "{DELAY_COMPLETE_TIME}"},
      {"{next_participate_time}", 5, 0, "{next_participate_time}"},
      {"참여하기", 5, 5, "참여하기"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.callToAction);
    const Ad ad = makeAd([&](Ad& ad) {
      ad.callToAction = c.callToAction;
      if (c.next) ad.setNextParticipateAt(kNow + c.next);
      if (c.delay) ad.setDelayCompleteAt(kNow + c.delay);
    });
    EXPECT_EQ(makeFeedRemainingTimeText(ad).string(), c.text);
    EXPECT_EQ(countdownApplies(ad, *ad.callToAction),
              (c.next && std::string(c.callToAction).find(kNextParticipateTime) != std::string::npos) ||
                  (c.delay && std::string(c.callToAction).find(kDelayCompleteTime) != std::string::npos));
  }
}

TEST_F(CountdownTextTest, TheThreeRowStylesDifferInLineEndsAndAttributes) {
  theme_.colors().setInfoTitleTextColor(ui::Color::black());
  theme_.colors().setListItemCtaButtonTextDisableColor(ui::Color::gray());
  theme_.dimension().setInfoTitleTimerTextSize(11);
  theme_.dimension().setListItemCtaButtonTimerSize(9);
  const Ad ad = makeAd([](Ad& ad) {
    ad.callToAction = "다음 참여\n{NEXT_PARTICIPATE_TIME}";
    ad.setNextParticipateAt(kNow + 10);
  });
  const std::size_t timerAt = std::u16string(u"다음 참여\n").size();
  struct Case {
    const char* name;
    base::AttributedString text;
    const char* string;
    ui::Color color;
    double baseSize, timerSize;
  } cases[] = {
      {"feed", makeFeedRemainingTimeText(ad), "다음 참여\n00:00:10", ui::Color::white(), 18, 14},
      {"call to action, enabled or not", makeCtaRemainingTimeText(ad), "다음 참여\n00:00:10", ui::Color::gray(), 16, 9},
      {"compact", makeInfoTitleRemainingTimeText(ad), "다음 참여 00:00:10", ui::Color::black(), 14, 11},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.text.string(), c.string);
    const auto base = c.text.attributes(0), timer = c.text.attributes(timerAt);
    EXPECT_EQ(base.foregroundColor, c.color.toColorDescription());
    EXPECT_EQ(timer.foregroundColor, c.color.toColorDescription());
    EXPECT_EQ(base.font->pointSize, c.baseSize);
    EXPECT_EQ(timer.font->pointSize, c.timerSize);
    // The timer carries no paragraph style of its own.
    EXPECT_FALSE(timer.paragraphStyle);
  }
}

}  // namespace
}  // namespace velkor::testing
