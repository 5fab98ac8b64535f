#include "foundation/sjis.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Sjis, PairsLeadAndTrailBytesIncludingBackslashTrail) {
  // "表" is 0x95 0x5C: its trail byte is the path separator's value.
  const std::string text = "a\x95\x5C\\b\xB1";
  std::vector<std::size_t> lengths;
  sjis::ForEachChar(text, [&](std::size_t, std::size_t length) { lengths.push_back(length); });
  EXPECT_EQ(lengths, (std::vector<std::size_t>{1, 2, 1, 1, 1}));
}

TEST(Sjis, LoneLeadByteAtEndCountsAsOneCharacter) {
  EXPECT_EQ(sjis::CharLength("\x82", 0), 1u);
  EXPECT_EQ(sjis::CharLength("\x82\x30", 0), 1u);  // 0x30 is no trail byte
  EXPECT_EQ(sjis::CharLength("\x82\xA0", 0), 2u);
}

}  // namespace
