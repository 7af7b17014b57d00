#include "platform/base/bundle.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(Bundle, TellsAPresentNonTextEntryFromAnAbsentOne) {
  Bundle bundle(nlohmann::json{{"CFBundleIdentifier", "com.example.host"},
                               {"CFBundleShortVersionString", 396},
                               {"CFBundleDisplayName", nullptr}});
  EXPECT_EQ(bundle.bundleIdentifier(), "com.example.host");
  EXPECT_EQ(bundle.object("CFBundleShortVersionString"), nlohmann::json(396));
  EXPECT_EQ(bundle.object("CFBundleDisplayName"), nlohmann::json(nullptr));
  EXPECT_FALSE(bundle.object("CFBundleName"));

  bundle.removeObject("CFBundleDisplayName");
  EXPECT_FALSE(bundle.object("CFBundleDisplayName"));
  bundle.setObject("CFBundleIdentifier", 7);
  EXPECT_FALSE(bundle.bundleIdentifier());
}

TEST(Bundle, AnInformationDictionaryMustBeAnObject) {
  Bundle bundle(nlohmann::json{{"CFBundleDisplayName", "호스트 앱"}});
  for (const nlohmann::json& bad : {nlohmann::json::array({1}), nlohmann::json("text"), nlohmann::json()}) {
    SCOPED_TRACE(bad.dump());
    EXPECT_FALSE(bundle.setInfoDictionary(bad));
    EXPECT_EQ(bundle.infoDictionary(), (nlohmann::json{{"CFBundleDisplayName", "호스트 앱"}}));
  }
  EXPECT_TRUE(Bundle(nlohmann::json("text")).infoDictionary().is_object());
}

}  // namespace
}  // namespace base
