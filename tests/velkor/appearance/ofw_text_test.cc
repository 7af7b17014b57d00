#include "velkor/appearance/velkor_ofw_text.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/ui/font_manager.h"

namespace velkor {
namespace {

namespace fs = std::filesystem;
using ui::Font;
using ui::FontWeight;

// The descriptions are process-wide: each test puts back the generic ones it changes.
class OfwTextTest : public testing::Test {
 protected:
  void TearDown() override {
    VelkorOfwText::setFont(VelkorOfwText::Slot::regularFont, OfwFont::system(FontWeight::regular));
    VelkorOfwText::setFont(VelkorOfwText::Slot::mediumFont, OfwFont::system(FontWeight::medium));
    VelkorOfwText::setFont(VelkorOfwText::Slot::semiBoldFont, OfwFont::system(FontWeight::semibold));
    VelkorOfwText::setFont(VelkorOfwText::Slot::boldFont, OfwFont::system(FontWeight::bold));
  }
};

std::vector<OfwFont> allFonts() {
  std::vector<OfwFont> all;
#define VELKOR_OFW_TEXT_READ(name, ...) all.push_back(VelkorOfwText::name());
  VELKOR_OFW_TEXT_FONTS(VELKOR_OFW_TEXT_READ)
#undef VELKOR_OFW_TEXT_READ
  return all;
}

// Each generic setter switches its own weight to the host's font and leaves the other weights and
// every element's font as they were.
TEST_F(OfwTextTest, EachGenericSetterChangesOnlyItsOwnWeight) {
  using Slot = VelkorOfwText::Slot;
  struct Case {
    const char* name;
    void (*set)(std::string);
    Slot slot;
    Font (*sized)(double);
  };
  const Case cases[] = {
      {"regular", VelkorOfwText::setRegularFont, Slot::regularFont, VelkorOfwText::regularFont},
      {"medium", VelkorOfwText::setMediumFont, Slot::mediumFont, VelkorOfwText::mediumFont},
      {"semiBold", VelkorOfwText::setSemiBoldFont, Slot::semiBoldFont, VelkorOfwText::semiBoldFont},
      {"bold", VelkorOfwText::setBoldFont, Slot::boldFont, VelkorOfwText::boldFont},
  };
  const auto initial = allFonts();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.set("NanumSquareRound");
    auto expected = initial;
    expected[static_cast<std::size_t>(c.slot)] = OfwFont("NanumSquareRound");
    EXPECT_EQ(allFonts(), expected);
    EXPECT_EQ(c.sized(15), Font::named("NanumSquareRound", 15));
    VelkorOfwText::setFont(c.slot, initial[static_cast<std::size_t>(c.slot)]);
  }
}

TEST_F(OfwTextTest, UnknownNamedFontFallsBackToTheRegularSystemFontOfThatSize) {
  VelkorOfwText::setBoldFont("NoSuchFont-Heavy");
  EXPECT_EQ(VelkorOfwText::boldFont(), OfwFont("NoSuchFont-Heavy"));
  EXPECT_EQ(VelkorOfwText::boldFont(17), Font::systemFont(17));
  // fontconfig's nearest match is not the font asked for.
  EXPECT_EQ(OfwFont("nanumgothic").instance(12), Font::systemFont(12));
}

TEST_F(OfwTextTest, RegisteringAFontFileReportsEachFailureOnce) {
  const fs::path dir = fs::temp_directory_path() / ("velkor-ofw-text-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path font = dir / "host.ttf";
  fs::copy_file("/usr/share/fonts/truetype/nanum/NanumBarunGothicBold.ttf", font, fs::copy_options::overwrite_existing);
  std::ofstream(dir / "readme.ttf") << "plain text";

  auto missing = VelkorOfwText::registerFrom(dir / "absent.ttf");
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->domain, ui::kFontManagerErrorDomain);
  EXPECT_EQ(missing->code, static_cast<long>(ui::FontManagerError::fileNotFound));
  auto notFont = VelkorOfwText::registerFrom(dir / "readme.ttf");
  ASSERT_TRUE(notFont);
  EXPECT_EQ(notFont->code, static_cast<long>(ui::FontManagerError::notAFont));

  auto web = VelkorOfwText::registerFrom(*base::Url::parse("https://example.com/host.ttf"));
  ASSERT_TRUE(web);
  EXPECT_EQ(web->code, static_cast<long>(ui::FontManagerError::fileNotFound));

  EXPECT_FALSE(VelkorOfwText::registerFrom(*base::Url::parse("file://" + font.string())));
  auto twice = VelkorOfwText::registerFrom(font);
  ASSERT_TRUE(twice);
  EXPECT_EQ(twice->code, static_cast<long>(ui::FontManagerError::alreadyRegistered));
  EXPECT_FALSE(twice->description().empty());
  fs::remove_all(dir);
}

}  // namespace
}  // namespace velkor
