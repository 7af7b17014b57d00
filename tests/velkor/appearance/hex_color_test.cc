#include "velkor/appearance/hex_color.h"

#include <gtest/gtest.h>

namespace velkor {
namespace {

struct HexCase {
  const char* text;
  unsigned rgb;  // expected red, green and blue bytes
};

const HexCase kCases[] = {
    // The same colour however it is written.
    HexCase{"#3481ff", 0x3481ff}, HexCase{"3481ff", 0x3481ff}, HexCase{"0x3481ff", 0x3481ff},
    HexCase{"0X3481FF", 0x3481ff}, HexCase{"  #3481FF  ", 0x3481ff}, HexCase{"#3481ff\n", 0x3481ff},
    HexCase{"\t\r\n3481ff", 0x3481ff}, HexCase{"# 3481ff", 0x3481ff}, HexCase{"#0x3481ff", 0x3481ff},
    // Unicode blanks (no-break space, line separator) count as blanks too.
    HexCase{"\u00a0#3481ff\u2028", 0x3481ff},
    // Short forms are numbers, not expanded.
    HexCase{"#fff", 0x000fff}, HexCase{"#1", 0x000001},
    // Wider numbers keep their low 24 bits; past 32 bits they saturate.
    HexCase{"#80FF0000", 0xff0000}, HexCase{"#1000000", 0x000000}, HexCase{"FFFFFFFF", 0xffffff},
    HexCase{"123456789", 0xffffff}, HexCase{"#000000000ff", 0x0000ff},
    // The number ends at the first other character.
    HexCase{"#12zz34", 0x000012}, HexCase{"#343A40 is grey", 0x343a40},
    // No number at all: black.
    HexCase{"", 0}, HexCase{"#", 0}, HexCase{"red", 0}, HexCase{"##3481ff", 0}, HexCase{"   ", 0},
    HexCase{"0x", 0}, HexCase{"0xzz", 0}, HexCase{"-3481ff", 0},
};

TEST(HexColorTest, ReadsOneHexNumberAndKeepsItsLow24Bits) {
  for (const HexCase& c : kCases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
    ui::Color color = colorFromHex(c.text, 0.5);
    EXPECT_DOUBLE_EQ(color.red(), ((c.rgb >> 16) & 0xff) / 255.0);
    EXPECT_DOUBLE_EQ(color.green(), ((c.rgb >> 8) & 0xff) / 255.0);
    EXPECT_DOUBLE_EQ(color.blue(), (c.rgb & 0xff) / 255.0);
    EXPECT_EQ(color.alpha(), 0.5);  // the argument, never the text's
  }
}

}  // namespace
}  // namespace velkor
