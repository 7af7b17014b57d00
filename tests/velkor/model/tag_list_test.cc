#include "velkor/model/tag_list.h"

#include <gtest/gtest.h>

#include "platform/base/defaults.h"
#include "tests/velkor/model/wire.h"
#include "velkor/model/tag.h"

namespace velkor {
namespace {

using namespace testing;

class StoredCatalogue : public ::testing::Test {
 protected:
  std::shared_ptr<base::Defaults> defaults_ = base::Defaults::inMemory();
};

TEST_F(StoredCatalogue, KeepsTheTagsWithPlainKeysAndTheStampApart) {
  const TagList list{{Tag{6, "한정", "limited"}, Tag{1, "전체", "all"}, Tag{3, "say \"hi\"", "q"}}, "s1"};
  ASSERT_TRUE(list.store(*defaults_));
  const auto text = defaults_->string(TagList::kTagListKey);
  ASSERT_TRUE(text);
  EXPECT_EQ(Json::parse(*text)[0], Json::parse(R"({"id":6,"name":"한정","slug":"limited"})"));
  EXPECT_EQ(defaults_->string(TagList::kLastUpdatedAtKey), "s1");
  EXPECT_EQ(TagList::storedTags(*defaults_), list.tags);
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

}  // namespace
}  // namespace velkor
