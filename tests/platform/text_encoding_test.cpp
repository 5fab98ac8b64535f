#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEncoding, RoundTripsKanjiKanaAndAscii) {
  const std::string utf8 = "背景ｱｲ abc";
  const std::string cp932 = "\x94\x77\x8C\x69\xB1\xB2 abc";
  EXPECT_EQ(platform::TryCp932FromUtf8(utf8), cp932);
  EXPECT_EQ(platform::TryUtf8FromCp932(cp932), utf8);
}

TEST(TextEncoding, UsesCodePage932NotPlainShiftJis) {
  // 0x5C is a backslash in code page 932 (a yen sign in plain Shift-JIS),
  // and 0x815F is the full-width reverse solidus.
  EXPECT_EQ(platform::TryUtf8FromCp932("a\\b"), "a\\b");
  EXPECT_EQ(platform::TryUtf8FromCp932("\x81\x5F"), "＼");
  // A trail byte of 0x5C stays inside its character.
  EXPECT_EQ(platform::TryUtf8FromCp932("\x95\x5C"), "表");
}

TEST(TextEncoding, StrictFailsAndLenientReplacesBrokenInput) {
  const std::string cutLead = "ab\x82";
  EXPECT_FALSE(platform::TryUtf8FromCp932(cutLead).has_value());
  EXPECT_EQ(platform::Utf8FromCp932(cutLead), "ab\xEF\xBF\xBD");
  EXPECT_FALSE(platform::TryCp932FromUtf8("\xF0\x9F\x98\x80").has_value());
  EXPECT_EQ(platform::Cp932FromUtf8("x\xF0\x9F\x98\x80y").front(), 'x');
  EXPECT_EQ(platform::Cp932FromUtf8("x\xF0\x9F\x98\x80y").back(), 'y');
}

}  // namespace
