#include "shell/dialogs/dialog_font.h"

#include <gtest/gtest.h>

#include "foundation/message_box.h"

namespace {

TEST(DialogFontTest, Cp932CharactersBecomeTheirUnicodeCharacters) {
  EXPECT_EQ(CodePointOfCp932("A"), U'A');
  EXPECT_EQ(CodePointOfCp932(Cp932Literal("あ")), U'あ');
  // A three-byte UTF-8 character whose lead byte has its fourth bit set.
  EXPECT_EQ(CodePointOfCp932(Cp932Literal("録")), U'録');
  EXPECT_EQ(CodePointOfCp932(Cp932Literal("ｱ")), U'ｱ');
  EXPECT_EQ(CodePointOfCp932(""), U'\uFFFD');
}

TEST(DialogFontTest, BaseUnitsComeFromTheFont) {
  const DialogFont& font = DialogFont::Get();
  ASSERT_TRUE(font.Ready());
  EXPECT_EQ(font.BaseUnitY(), 12);
  EXPECT_GE(font.BaseUnitX(), 5);
  EXPECT_LE(font.BaseUnitX(), 8);
  EXPECT_EQ(font.DluToPixelsY(8), 12);
  EXPECT_GT(font.TextWidth(Cp932Literal("登録名")), font.TextWidth("ABC"));
}

}  // namespace
