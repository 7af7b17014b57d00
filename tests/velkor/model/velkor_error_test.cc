#include "velkor/model/velkor_error.h"

#include <gtest/gtest.h>

#include "platform/base/bundle.h"
#include "tests/velkor/model/wire.h"
#include "velkor/model/dialog.h"

namespace velkor {
namespace {

using namespace testing;

TEST(VelkorErrorTest, DecodingFailsOnAMissingCodeOrAWrongType) {
  for (const BadWire& bad : {BadWire{R"({"message":"x"})", Kind::keyNotFound, "code"},
                             BadWire{R"({"code":null})", Kind::valueNotFound, "code"},
                             BadWire{R"({"code":"34"})", Kind::typeMismatch, "code"},
                             BadWire{R"({"code":1.5})", Kind::dataCorrupted, "code"},
                             BadWire{R"({"code":1,"message":5})", Kind::typeMismatch, "message"},
                             BadWire{R"({"code":1,"dialog":"alert"})", Kind::typeMismatch, "dialog"},
                             BadWire{R"({"code":1,"dialog":{"positive_button":7}})", Kind::typeMismatch,
                                     "dialog.positive_button"}}) {
    EXPECT_TRUE(failsAsExpected<VelkorError>(bad));
  }
}

// A decoded dialog without a type has none, while one made in code is an alert.
TEST(VelkorErrorTest, DecodesCodeAloneIgnoresUnknownKeysAndLeavesAnUntypedDialogUntyped) {
  EXPECT_EQ(fromWire<VelkorError>(R"({"code":34,"extra":[1,2],"message":null})").value(),
            (VelkorError{34, std::nullopt, std::nullopt}));
  EXPECT_EQ(Dialog().type, "alert");
  EXPECT_EQ(fromWire<VelkorError>(R"({"code":1,"dialog":{"message":"hi"}})").value().dialog,
            (Dialog{std::nullopt, "hi", std::nullopt, std::nullopt, std::nullopt}));
}

TEST(VelkorErrorTest, SnakeCaseButtonKeysFillTheDialogOnlyUnderKeyConversion) {
  constexpr const char* json =
      R"({"code":2,"dialog":{"type":"confirm","positive_button":"OK","negative_button":"No",
          "positive_callback_url":"velkor://offerwall/ads/3"}})";
  const auto converted = fromWire<VelkorError>(json);
  ASSERT_TRUE(converted);
  EXPECT_EQ(converted->dialog, (Dialog{"confirm", std::nullopt, "OK", "No", "velkor://offerwall/ads/3"}));
  const auto plain = fromPlain<VelkorError>(json);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->dialog, (Dialog{"confirm", std::nullopt, std::nullopt, std::nullopt, std::nullopt}));
}

TEST(VelkorErrorTest, TravelsAsABaseErrorOfTheVelkorDomain) {
  const VelkorError error{312, "해당 URL로 이동에 실패하였습니다.", std::nullopt};
  const base::Error converted = error;
  EXPECT_EQ(converted, (base::Error{"VelKOR", 312, "해당 URL로 이동에 실패하였습니다."}));
  EXPECT_EQ(converted.description(), "해당 URL로 이동에 실패하였습니다.");
  EXPECT_EQ(VelkorError().toError(), (base::Error{"VelKOR", 0, std::nullopt}));
}

TEST(VelkorErrorTest, EncodesAbsentFieldsByLeavingTheirKeysOut) {
  EXPECT_EQ(toJson(VelkorError()), Json::parse(R"({"code":0})"));
  EXPECT_EQ(toJson(Dialog()), Json::parse(R"({"type":"alert"})"));
  const VelkorError full{7, "m", Dialog{std::nullopt, "d", "p", std::nullopt, "u"}};
  EXPECT_EQ(toJson(full),
            Json::parse(R"({"code":7,"message":"m","dialog":{"message":"d","positiveButton":"p",
                                      "positiveCallbackUrl":"u"}})"));
  // What is written reads back the same.
  EXPECT_EQ(fromPlain<VelkorError>(toJson(full).dump()).value(), full);
}

class DisplayName : public ::testing::Test {
 protected:
  void TearDown() override { base::Bundle::main().removeObject("CFBundleDisplayName"); }
};

TEST_F(DisplayName, MessagesTakeTheAppsNameAndLoseTheirMarkTags) {
  base::Bundle::main().setObject("CFBundleDisplayName", "Foo");
  const Dialog dialog{std::nullopt, "{PUB_APP_DISPLAY_NAME} <mark>100</mark>", std::nullopt, std::nullopt,
                      std::nullopt};
  EXPECT_EQ(dialog.mMessage(), "Foo 100");

  const VelkorError error{1, dialog.message, std::nullopt};
  const base::AttributedString shown = error.mMessage();
  ASSERT_EQ(shown.string(), "Foo 100");
  EXPECT_FALSE(shown.attributes(0).foregroundColor);  // the name is not coloured
  EXPECT_FALSE(shown.attributes(3).foregroundColor);
  EXPECT_TRUE(shown.attributes(4).foregroundColor);  // the marked digits are
  EXPECT_TRUE(shown.attributes(6).foregroundColor);
}

TEST_F(DisplayName, APlaceholderStaysWhenTheAppHasNoNameAsText) {
  EXPECT_EQ(VelkorError::attributedMessage("{PUB_APP_DISPLAY_NAME}!").string(), "{PUB_APP_DISPLAY_NAME}!");
  base::Bundle::main().setObject("CFBundleDisplayName", 12);
  EXPECT_EQ(VelkorError::attributedMessage("{PUB_APP_DISPLAY_NAME}!").string(), "{PUB_APP_DISPLAY_NAME}!");
}

TEST_F(DisplayName, AnAbsentMessageShowsEmpty) {
  EXPECT_EQ(Dialog().mMessage(), "");
  EXPECT_EQ(VelkorError().mMessage().string(), "");
}

}  // namespace
}  // namespace velkor
