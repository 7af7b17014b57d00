#include "velkor/web/ofw_ad_answers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "tests/velkor/core/scoped_core_state.h"
#include "velkor/core/native_ad_impressions.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

// An ad that every user may be answered, with a tag of its own (its id plus 100).
Ad ad(std::int64_t id, float priority = 0) {
  Ad a;
  a.id = id;
  a.priority = priority;
  a.callToActionEnabled = true;
  a.tagIds = {id + 100};
  return a;
}

std::vector<Ad> ads(std::initializer_list<std::int64_t> ids) {
  std::vector<Ad> list;
  for (auto id : ids) list.push_back(ad(id));
  return list;
}

std::string ids(const std::vector<Ad>& list) {
  std::string text;
  for (const Ad& a : list) text += (text.empty() ? "" : ",") + std::to_string(a.id);
  return text;
}

TEST(SelectionRule, CompletedDisabledHiddenAndTesterOnlyAds) {
  velkor::testing::ScopedCoreState core;
  struct Case {
    const char* name;
    void (*change)(Ad&);
    bool tester;
    bool selectable;
  } cases[] = {
      {"plain", [](Ad&) {}, false, true},
      {"completed", [](Ad& a) { a.completed = 1; }, false, false},
      {"completed 0 counts as not completed", [](Ad& a) { a.completed = 0; }, false, true},
      {"call to action disabled", [](Ad& a) { a.callToActionEnabled = false; }, false, false},
      {"call to action flag absent", [](Ad& a) { a.callToActionEnabled.reset(); }, false, false},
      {"testers only, no tester", [](Ad& a) { a.showStatus = -1; }, false, false},
      {"testers only, tester", [](Ad& a) { a.showStatus = -1; }, true, true},
      {"other show status", [](Ad& a) { a.showStatus = 2; }, true, false},
  };
  for (const auto& c : cases) {
    Ad a = ad(1);
    c.change(a);
    VelkorInternal::shared().setIsTester(c.tester);
    EXPECT_EQ(isSelectable(a), c.selectable) << c.name;
  }
}

struct LoadAdsCase {
  const char* name;
  std::vector<Ad> list;
  std::set<std::int64_t> tagIds;
  bool notPaginated;
  std::int64_t size;
  std::int64_t page;
  const char* expected;
};

TEST(LoadAdsAnswer, FillsUnpaginatedListsAndCutsPages) {
  const auto eight = ads({1, 2, 3, 4, 5, 6, 7, 8});
  const auto twelve = ads({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  const LoadAdsCase cases[] = {
      {"first five", eight, {}, true, 5, 1, "1,2,3,4,5"},
      {"short list repeats from its start", ads({1, 2, 3}), {}, true, 5, 1, "1,2,3,1,2"},
      {"one ad twice", ads({1}), {}, true, 5, 1, "1,1"},
      {"nothing", {}, {}, true, 5, 1, ""},
      {"tags first, then the start of the list", eight, {104, 106}, true, 5, 1, "4,6,1,2,3"},
      {"last page is short", twelve, {}, false, 5, 3, "11,12"},
      {"past the end", twelve, {}, false, 5, 4, ""},
      {"page 0", twelve, {}, false, 5, 0, ""},
      {"negative page counts as 0", twelve, {}, false, 5, -3, ""},
      {"negative size counts as 0", twelve, {}, true, -1, 1, ""},
      {"size far beyond the list", twelve, {}, false, kMax, 1, "1,2,3,4,5,6,7,8,9,10,11,12"},
      {"page whose start overflows", twelve, {}, false, 1000, kMax, ""},
      {"tag filtered pages", twelve, {101, 103, 105, 107}, false, 2, 2, "5,7"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ids(loadAdsAnswer(c.list, c.tagIds, c.notPaginated, c.size, c.page)), c.expected) << c.name;
  }
}

// "tags" counts only as an array of texts: anything else, a mixed array included, asks for no tag.
TEST(RequestedTagIds, OnlyAnArrayOfTextsNamesTags) {
  velkor::testing::ScopedCoreState core;
  Tab tab;
  tab.tags = {Tag{7, "Seven", "seven"}, Tag{8, "Eight", "eight"}};
  const struct {
    const char* name;
    nlohmann::json tags;
    std::set<std::int64_t> expected;
  } cases[] = {
      {"texts", nlohmann::json::array({"seven", "eight", "nine"}), {7, 8}},
      {"a text and a number", nlohmann::json::array({"seven", 8}), {}},
      {"a text and null", nlohmann::json::array({"seven", nullptr}), {}},
      {"a text and an array", nlohmann::json::array({"seven", nlohmann::json::array({"eight"})}), {}},
      {"a single text", "seven", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(requestedTagIds({{"tags", c.tags}}, {tab}), c.expected) << c.name;
  }
}

TEST(LoadAdsAnswer, TakesOnlyTheSelectableAdsOfTheList) {
  auto list = ads({1, 2, 3, 4});
  list[1].completed = 1;
  list[3].callToActionEnabled = false;
  EXPECT_EQ(ids(loadAdsAnswer(list, {}, true, 5, 1)), "1,3,1,3");
  EXPECT_EQ(ids(loadAdsAnswer(list, {102, 103}, true, 3, 1)), "3,1,3");
  EXPECT_EQ(ids(loadAdsAnswer(list, {}, false, 1, 2)), "3");
}

TEST(LoadAdsAnswer, AHugeUnpaginatedSizeIsCapped) {
  std::vector<Ad> one = ads({7});
  // Filled from a one-ad list: the cap, not the size asked, bounds the repeats.
  EXPECT_EQ(loadAdsAnswer(one, {}, true, 5'000'000, 1).size(), 2u);
  EXPECT_EQ(boundedSize(5'000'000), static_cast<std::size_t>(kMaxAnswerSize));
}

TEST(PlacementAnswer, PriorityOrderExclusionAndAutofill) {
  velkor::testing::ScopedCoreState core;
  auto placement = std::vector<Ad>{ad(1, 1.5), ad(2, 3.0), ad(3, 2.0), ad(4, 3.0)};
  EXPECT_EQ(ids(placementAnswer(placement, {}, 2)), "2,4") << "equal priorities keep their order";
  EXPECT_EQ(ids(placementAnswer(placement, ads({2}), 2)), "4,3");
  Ad completed = ad(5, 9);
  completed.completed = 1;
  EXPECT_EQ(ids(placementAnswer({completed, ad(6)}, {}, 5)), "6");

  // P1 (2.0), P2 (1.0); general P2, G1..G4 (G2 twice); the group already holds G1.
  std::vector<Ad> used = ads({11});
  const std::vector<Ad> answer = placementAnswer({ad(1, 2.0), ad(2, 1.0)}, used, 5);
  EXPECT_EQ(ids(answer), "1,2");
  used.insert(used.end(), answer.begin(), answer.end());
  EXPECT_EQ(ids(autofill(ads({2, 11, 12, 12, 13, 14}), used, 3)), "12,13,14");
}

TEST(AdDictionary, KeysAsPagesReadThem) {
  velkor::testing::ScopedCoreState core;
  Ad a = ad(9);
  a.title = "제목";
  a.reward = 300;
  a.thumbOriginImage = "https://img/thumb.webp";
  a.iconImage = "https://img.webp/icon.webp";
  const auto withInventory = adDictionary(a, {{"inventory", "main"}});
  EXPECT_EQ(withInventory.dump(),
            R"({"icon_image":"https://img.jpg/icon.jpg","id":9,"inventory":"main","reward":300,"subtitle":"",)"
            R"("thumb_image":"https://img/thumb.webp","title":"제목"})");
  a.iconImage.reset();
  const auto plain = adDictionary(a, {{"inventory", 5}});
  EXPECT_FALSE(plain.contains("icon_image"));
  EXPECT_FALSE(plain.contains("inventory"));
}

TEST(AnswerText, RecordsWhatItAnswersAndNeverSendsBrokenJson) {
  velkor::testing::ScopedCoreState core;
  NativeAdImpressions::shared()->takeVisibleItems();
  EXPECT_EQ(answerText(ads({1, 2}), {{"inventory", "main"}}).front(), '[');
  EXPECT_EQ(NativeAdImpressions::shared()->takeVisibleItems().size(), 2u);

  Ad broken = ad(3);
  broken.thumbOriginImage = "\xff\xfe not UTF-8";
  EXPECT_EQ(answerText({broken}, nlohmann::json::object()), "[]");
  NativeAdImpressions::shared()->takeVisibleItems();
}

}  // namespace
}  // namespace velkor
