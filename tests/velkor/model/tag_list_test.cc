#include "velkor/model/tag_list.h"

#include <gtest/gtest.h>

#include "platform/base/defaults.h"
#include "tests/velkor/model/fixtures.h"
#include "tests/velkor/model/wire.h"
#include "velkor/model/tab.h"
#include "velkor/model/tag.h"

namespace velkor {
namespace {

using namespace testing;

TEST(TabTest, DecodesWithSnakeCaseKeysAndRequiresEveryKey) {
  const auto tab = fromWire<Tab>(
      R"({"name":"쇼핑","slug":"shop","id":2,"view_url":"velkor://offerwall/ads?tab_slug=shop",
          "tags":[{"id":1,"name":"전체","slug":"all"}],"unknown":true})");
  ASSERT_TRUE(tab);
  EXPECT_EQ(*tab, (Tab{"쇼핑", "shop", 2, "velkor://offerwall/ads?tab_slug=shop", {Tag{1, "전체", "all"}}}));
  EXPECT_TRUE(fromWire<Tab>(R"({"name":"a","slug":"a","id":1,"view_url":"u","tags":[]})")->tags.empty());

  for (const BadWire& bad :
       {BadWire{R"({"name":"a","slug":"a","id":1,"view_url":"u"})", Kind::keyNotFound, "tags"},
        BadWire{R"({"name":"a","slug":"a","id":1,"view_url":"u","tags":null})", Kind::valueNotFound, "tags"},
        BadWire{R"({"name":"a","slug":"a","id":1,"view_url":"u","tags":[{"id":"1","name":"x",
                                 "slug":"x"}]})",
                Kind::typeMismatch, "tags[0].id"},
        BadWire{R"({"name":"a","slug":"a","id":1,"tags":[]})", Kind::keyNotFound, "view_url"}}) {
    EXPECT_TRUE(failsAsExpected<Tab>(bad));
  }
}

TEST(TagListTest, DecodesTheCatalogueAndFailsOnABadTag) {
  const auto list = fromWire<TagList>(R"({"tags":[{"id":1,"name":"A","slug":"a"}],"last_updated_at":"s1"})");
  ASSERT_TRUE(list);
  EXPECT_EQ(*list, (TagList{{Tag{1, "A", "a"}}, "s1"}));
  EXPECT_FALSE(fromWire<TagList>(R"({"tags":[{"id":1,"name":"A"}],"last_updated_at":"s1"})"));
  EXPECT_FALSE(fromWire<TagList>(R"({"tags":[]})"));
}

class StoredCatalogue : public ::testing::Test {
 protected:
  std::shared_ptr<base::Defaults> defaults_ = base::Defaults::inMemory();
};

// Korean names, quotes and the server's order survive; the stamp is kept under a key of its own.
TEST_F(StoredCatalogue, KeepsTheTagsWithPlainKeysAndTheStampApart) {
  const TagList list{{Tag{6, "한정", "limited"}, Tag{1, "전체", "all"}, Tag{3, "say \"hi\"", "q"}}, "s1"};
  ASSERT_TRUE(list.store(*defaults_));
  const auto text = defaults_->string(TagList::kTagListKey);
  ASSERT_TRUE(text);
  EXPECT_EQ(Json::parse(*text)[0], Json::parse(R"({"id":6,"name":"한정","slug":"limited"})"));
  EXPECT_EQ(defaults_->string(TagList::kLastUpdatedAtKey), "s1");
  EXPECT_EQ(TagList::storedTags(*defaults_), list.tags);

  ASSERT_TRUE((TagList{{}, "s2"}).store(*defaults_));
  EXPECT_EQ(defaults_->string(TagList::kTagListKey), "[]");
  EXPECT_EQ(defaults_->string(TagList::kLastUpdatedAtKey), "s2");
}

TEST_F(StoredCatalogue, TheFixtureCatalogueReadsBackAsStored) {
  const auto list = fromWire<TagList>(served(fixtures().tags()));
  ASSERT_TRUE(list) << list.error().description();
  ASSERT_FALSE(list->tags.empty());
  ASSERT_TRUE(list->store(*defaults_));
  EXPECT_EQ(TagList::storedTags(*defaults_), list->tags);
  EXPECT_EQ(defaults_->string(TagList::kLastUpdatedAtKey), list->lastUpdatedAt);
}

TEST_F(StoredCatalogue, TagsThatCannotBeWrittenAsJsonLeaveBothKeysAlone) {
  ASSERT_TRUE((TagList{{Tag{1, "A", "a"}}, "old"}).store(*defaults_));
  EXPECT_FALSE((TagList{{Tag{2, "\xff\xfe", "bad"}}, "new"}).store(*defaults_));
  EXPECT_EQ(TagList::storedTags(*defaults_), (std::vector<Tag>{Tag{1, "A", "a"}}));
  EXPECT_EQ(defaults_->string(TagList::kLastUpdatedAtKey), "old");
}

TEST_F(StoredCatalogue, ReadsNothingFromAbsentOrUndecodableText) {
  EXPECT_TRUE(TagList::storedTags(*defaults_).empty());
  for (const char* text : {"not json", "{\"tags\":[]}", "[{\"id\":\"1\",\"name\":\"A\",\"slug\":\"a\"}]",
                           "[{\"id\":1,\"name\":\"A\",\"slug\":\"a\"},{\"id\":2}]", ""}) {
    defaults_->setString(TagList::kTagListKey, text);
    EXPECT_TRUE(TagList::storedTags(*defaults_).empty()) << text;
  }
  defaults_->setInteger(TagList::kTagListKey, 3);
  EXPECT_TRUE(TagList::storedTags(*defaults_).empty());
}

// The stored form is plain: snake_case keys written by someone else are not converted.
TEST_F(StoredCatalogue, ReadsOnlyTheRecordsOwnKeys) {
  defaults_->setString(TagList::kTagListKey, R"([{"id":1,"name":"A","slug":"a","tag_extra":1}])");
  EXPECT_EQ(TagList::storedTags(*defaults_), (std::vector<Tag>{Tag{1, "A", "a"}}));
}

}  // namespace
}  // namespace velkor
