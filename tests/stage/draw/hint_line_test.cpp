// The hint line: which project text a run shows, and its centring by
// characters (a two-byte character is one 16-dot cell).
#include <gtest/gtest.h>

#include "project/system_record.h"
#include "stage/draw/panel/hint_line.h"

namespace {

TEST(HintLine, SingleStageRunsShowText27AndTestPlaysText26) {
  cSystem system;
  system.m_vTerms.resize(28);
  system.m_vTerms[26] = "test";
  system.m_vTerms[27] = "single";
  EXPECT_EQ(*HintText(system, 1, 1), "single");
  EXPECT_EQ(*HintText(system, 0, 1), "test");
  EXPECT_EQ(HintText(system, 0, 0), nullptr);
  system.m_vTerms.resize(27);  // a project without text 27
  EXPECT_EQ(HintText(system, 1, 0), nullptr);
  EXPECT_EQ(*HintText(system, 0, 1), "test");
}

TEST(HintLine, CentredByCharacterCells) {
  EXPECT_EQ(HintLineX("ESC"), 320 - 24);
  EXPECT_EQ(HintLineX("\x82\xa0\x82\xa2 X"), 320 - 32);  // two kana, a space and a letter
  EXPECT_EQ(HintLineX(""), 320);
}

}  // namespace
