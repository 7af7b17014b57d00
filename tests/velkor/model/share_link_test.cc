#include "velkor/model/share_link.h"

#include <gtest/gtest.h>


#include "tests/velkor/model/fixtures.h"
#include "tests/velkor/model/wire.h"
#include "velkor/model/page_info.h"
#include "velkor/model/pub_app_config.h"

namespace velkor {
namespace {

using namespace testing;

TEST(SharedLinkTest, ReadsTheShortAddressUnderShareLinkWithFixedKeys) {
  const auto link = fromPlain<SharedLink>(
      R"({"share_link":{"short_url":"https://s.example/a","origin_url":"https://www.example.com/a"}})");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->shortURL, "https://s.example/a");
  const auto served = fromPlain<SharedLink>(testing::served(fixtures().shareLink(), 1001));
  ASSERT_TRUE(served);
  EXPECT_EQ(served->shortURL, "http://127.0.0.1:8080/s/1001");

  for (const char* bad : {R"({"short_url":"https://s.example/a"})", R"({"share_link":{"shortUrl":"x"}})",
                          R"({"share_link":"x"})", R"({"share_link":{"short_url":null}})",
                          R"({"share_link":{"short_url":3}})", R"([])"}) {
    EXPECT_FALSE(fromPlain<SharedLink>(bad)) << bad;
  }
  // Under the REST clients' conversion the fixed keys would be lost: the answer is read plainly.
  EXPECT_FALSE(fromWire<SharedLink>(R"({"share_link":{"short_url":"x"}})"));
}

TEST(PubAppConfigTest, EveryKeyIsRequiredAndOneBadConfigFailsTheList) {
  const auto list = fromWire<PubAppConfigList>(
      R"({"configs":[{"name":"n","value":"v","type":"string"}],"last_updated_at":"s"})");
  ASSERT_TRUE(list);
  EXPECT_EQ(*list, (PubAppConfigList{{PubAppConfig{"n", "v", "string"}}, "s"}));
  EXPECT_EQ(
      toJson(*list),
      Json::parse(R"({"configs":[{"name":"n","value":"v","type":"string"}],"lastUpdatedAt":"s"})"));

  EXPECT_TRUE(failsAs<PubAppConfigList>(R"({"configs":[{"name":"n","value":"v"}],"last_updated_at":"s"})",
                                                 Kind::keyNotFound, "configs[0].type"));
  EXPECT_FALSE(fromWire<PubAppConfigList>(R"({"configs":[]})"));
  EXPECT_FALSE(fromWire<PubAppConfig>(R"({"name":"n","value":1,"type":"t"})"));
}

}  // namespace
}  // namespace velkor
