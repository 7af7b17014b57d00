#include "platform/base/bundle.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(Bundle, TellsAPresentNonTextEntryFromAnAbsentOneAndKeepsAnObject) {
  Bundle bundle(nlohmann::json{{"CFBundleIdentifier", 7}, {"CFBundleDisplayName", nullptr}});
  EXPECT_FALSE(bundle.bundleIdentifier());
  EXPECT_EQ(Bundle(nlohmann::json{{"CFBundleIdentifier", "com.example.host"}}).bundleIdentifier(), "com.example.host");
  EXPECT_EQ(bundle.object("CFBundleDisplayName"), nlohmann::json(nullptr));
  EXPECT_FALSE(bundle.object("CFBundleName"));

  const nlohmann::json info = bundle.infoDictionary();
  for (const nlohmann::json& bad : {nlohmann::json::array({1}), nlohmann::json("text"), nlohmann::json()}) {
    SCOPED_TRACE(bad.dump());
    EXPECT_FALSE(bundle.setInfoDictionary(bad));
    EXPECT_EQ(bundle.infoDictionary(), info);
  }
  EXPECT_TRUE(Bundle(nlohmann::json("text")).infoDictionary().is_object());
}

}  // namespace
}  // namespace base
