// Frame tables built from the database's animations and effects.

#include <gtest/gtest.h>

#include <limits>

#include "project/frame_tables.h"

namespace {

cAnime AnimeOf(std::initializer_list<std::array<int, 3>> frames) {
  cAnime anime;
  anime.m_vFrames.clear();
  for (const auto& frame : frames) {
    cAnimeFrame f;
    f.nPattern = frame[0];
    f.nTime = frame[1];
    f.nFlag = frame[2];
    anime.m_vFrames.push_back(f);
  }
  return anime;
}

TEST(FrameTables, AnimationsHoldFromTheirFirstFlaggedFrameAndEnd) {
  cDatabase database;
  database.m_vAnime.assign(4, cAnime());
  database.m_vAnime[0] = AnimeOf({{1, 5, 0}, {2, 5, 0}, {3, 5, 0}});
  database.m_vAnime[2] = AnimeOf({});
  database.m_vAnime[3] = AnimeOf({{7, 2, 0}, {8, 3, 1}, {9, 1, 0}});
  cVector<Pattern> table;
  BuildAnimeFrames(table, database);
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[0], (Pattern{{1, 0, 1}, {2, 0, 1}, {3, 0, 1}, {-2, 0, 1}}));
  EXPECT_EQ(table[2], (Pattern{{-4, 0, 0}}));
  EXPECT_EQ(table[3], (Pattern{{7, 12, 0}, {8, 18, 1}, {9, 6, 1}, {-4, 0, 0}}));

  database.m_vAnime[0] = AnimeOf({});
  BuildAnimeFrames(table, database);
  EXPECT_EQ(table[0], (Pattern{{-2, 0, 1}}));
}

TEST(FrameTables, EffectsNeverHoldExceptEntryZero) {
  cDatabase database;
  database.m_vEffect.assign(2, cEffect());
  database.m_vEffect[1].m_vFrames[0].nFirst = 4;
  database.m_vEffect[1].m_vFrames[0].nSecond = std::numeric_limits<std::int32_t>::max();
  cVector<Pattern> table;
  BuildEffectFrames(table, database);
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0], (Pattern{{0, 0, 1}, {-2, 0, 1}}));
  EXPECT_EQ(table[1], (Pattern{{4, std::numeric_limits<std::int32_t>::max(), 0}, {-4, 0, 0}}));
}

}  // namespace
