#include "platform/ui/font.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/ui/font_manager.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

const fs::path kNanumDir = "/usr/share/fonts/truetype/nanum";

// A scratch folder of its own, removed after.
class TempDir {
 public:
  TempDir() {
    path_ = fs::temp_directory_path() / ("velkor-font-test-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(counter_++));
    fs::create_directories(path_);
  }
  ~TempDir() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  static inline int counter_ = 0;
  fs::path path_;
};

TEST(FontTest, NamedFontFoundOnlyByAnExactName) {
  auto byPostScript = Font::named("NanumGothicBold", 14);
  ASSERT_TRUE(byPostScript);
  EXPECT_EQ(byPostScript->familyName(), "NanumGothic");
  EXPECT_EQ(byPostScript->weight(), 700);
  EXPECT_FALSE(byPostScript->isSystemFont());

  auto byLocalisedFamily = Font::named("나눔고딕", 14);
  ASSERT_TRUE(byLocalisedFamily);
  EXPECT_EQ(byLocalisedFamily->weight(), 400);

  // fontconfig would answer these with some font; they must still count as unknown.
  for (const char* name : {"NoSuchFont-Bold", "nanumgothic", "Nanum Gothic", "", "sans-serif"}) {
    EXPECT_FALSE(Font::named(name, 14)) << name;
  }
}

TEST(FontManagerTest, RegistersAFontFileOnceAndFindsItsFaces) {
  TempDir dir;
  fs::path file = dir.path() / "copy.ttf";
  fs::copy_file(kNanumDir / "NanumGothicCoding.ttf", file);
  auto before = font_manager::generation();
  EXPECT_FALSE(font_manager::registerFont(file));
  EXPECT_EQ(font_manager::generation(), before + 1);

  auto again = font_manager::registerFont(file);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->domain, kFontManagerErrorDomain);
  EXPECT_EQ(again->code, static_cast<long>(FontManagerError::alreadyRegistered));
  // The same file reached through another spelling of its path is still the same file.
  auto viaDots = font_manager::registerFont(dir.path() / "." / "copy.ttf");
  ASSERT_TRUE(viaDots);
  EXPECT_EQ(viaDots->code, static_cast<long>(FontManagerError::alreadyRegistered));
  EXPECT_TRUE(Font::named("NanumGothicCoding", 10));
}

TEST(FontManagerTest, RegistrationErrorsNameTheirCause) {
  TempDir dir;
  std::ofstream(dir.path() / "notes.ttf") << "this is not a font";
  std::ofstream(dir.path() / "empty.ttf");
  const struct {
    fs::path file;
    FontManagerError code;
  } cases[] = {
      {dir.path() / "missing.ttf", FontManagerError::fileNotFound},
      {dir.path(), FontManagerError::fileNotFound},
      {dir.path() / "empty.ttf", FontManagerError::notAFont},
      {dir.path() / "notes.ttf", FontManagerError::notAFont},
  };
  for (const auto& c : cases) {
    auto error = font_manager::registerFont(c.file);
    ASSERT_TRUE(error) << c.file;
    EXPECT_EQ(error->domain, kFontManagerErrorDomain);
    EXPECT_EQ(error->code, static_cast<long>(c.code)) << c.file;
    EXPECT_NE(error->description().find(c.file.filename().string()), std::string::npos) << error->description();
  }
  // A file refused as no font can be registered once it holds one.
  fs::copy_file(kNanumDir / "NanumGothic.ttf", dir.path() / "notes.ttf", fs::copy_options::overwrite_existing);
  EXPECT_FALSE(font_manager::registerFont(dir.path() / "notes.ttf"));
}

}  // namespace
}  // namespace ui
