// Database record classes read from hand-written streams at the data versions
// where their members change, with the fix-ups of old data.

#include <gtest/gtest.h>

#include "foundation/message_box.h"
#include "project/anime_records.h"
#include "project/effect_records.h"
#include "project/media_records.h"
#include "project/sprite_records.h"
#include "tests/project/project_test_support.h"

namespace {

ByteFixture FrameStream(int pattern, int time, int flag) {
  ByteFixture f;
  f.I32(3).I32(pattern).I32(time).I32(flag).I32(0);
  return f;
}

// An animation stream of a file of version 55 or later, with one frame each.
ByteFixture AnimeStream(const char* name, int frames) {
  ByteFixture f;
  f.I32(3).U16(0).U8(1).U16(0).I32(1).Str(name).I32(frames);
  for (int i = 0; i < frames; ++i) f.Append(FrameStream(i, 2, 0));
  return f;
}

ByteFixture AnimeSetStream(std::uint32_t version, int animes) {
  ByteFixture f;
  if (version >= 119) f.I32(3).I32(4).I32(8).I32(0);
  else f.I32(2).I32(4).I32(8);
  f.I32(1).Str("set").I32(animes);
  for (int i = 0; i < animes; ++i) f.Append(AnimeStream(("a" + std::to_string(i)).c_str(), 1));
  return f;
}

TEST(AnimeRecords, DefaultAnimeStreamsByteForByte) {
  cAnime anime;
  anime.SetDefaults();
  ByteFixture expected;
  expected.I32(3).U16(0).U8(1).U16(0).I32(1).I32(1).I32(1).Append(FrameStream(0, 1, 0));
  EXPECT_EQ(SavedStream(anime), expected.Bytes());
}

TEST(AnimeRecords, FramesRoundTripAndAnEmptyFrameListStaysEmpty) {
  cAnime anime;
  ByteFixture stream;
  stream.I32(3).U16(7).U8(2).U16(9).I32(1).Str("run").I32(3);
  stream.Append(FrameStream(1, 2, 0)).Append(FrameStream(2, 3, 1)).Append(FrameStream(3, 4, 0));
  ASSERT_TRUE(LoadFromBytes(anime, DataFile(878, stream)));
  ASSERT_EQ(anime.m_vFrames.size(), 3u);
  EXPECT_EQ(anime.m_vFrames[1].nFlag, 1);
  EXPECT_EQ(anime.m_wValue1, 7);
  EXPECT_EQ(SavedStream(anime), stream.Bytes());

  ByteFixture empty;
  empty.I32(3).U16(0).U8(0).U16(0).I32(1).I32(1).I32(0);
  ASSERT_TRUE(LoadFromBytes(anime, DataFile(878, empty)));
  EXPECT_TRUE(anime.m_vFrames.empty());
}

TEST(AnimeRecords, AnimeBefore55HasNoSettings) {
  cAnime anime;
  anime.m_bValue2 = 5;
  ByteFixture stream;
  stream.I32(0).I32(1).Str("old").I32(1).Append(FrameStream(4, 2, 0));
  ASSERT_TRUE(LoadFromBytes(anime, DataFile(54, stream)));
  EXPECT_EQ(anime.m_bValue2, 5);
  EXPECT_EQ(anime.m_strName, "old");
}

TEST(AnimeRecords, SetOf118GetsFourAnimationsWithTheFlightNames) {
  cAnimeSet set;
  set.m_nPatternOffset3 = 0;
  ASSERT_TRUE(LoadFromBytes(set, DataFile(118, AnimeSetStream(118, 2))));
  ASSERT_EQ(set.m_vAnime.size(), 4u);
  EXPECT_EQ(set.m_vAnime[0].m_strName, "a0");
  EXPECT_EQ(set.m_vAnime[2].m_strName, Cp932Literal("飛行"));
  EXPECT_EQ(set.m_vAnime[3].m_strName, Cp932Literal("飛行移動"));
  ASSERT_EQ(set.m_vAnime[3].m_vFrames.size(), 1u);
  EXPECT_EQ(set.m_vAnime[3].m_vFrames[0].nTime, 1);
  EXPECT_EQ(set.m_nPatternOffset3, 0);
}

TEST(AnimeRecords, SetOf125DropsExtraAnimationsAndKeepsTheirFrames) {
  cAnimeSet set;
  ASSERT_TRUE(LoadFromBytes(set, DataFile(125, AnimeSetStream(125, 6))));
  ASSERT_EQ(set.m_vAnime.size(), 4u);
  EXPECT_EQ(set.m_vAnime[2].m_strName, Cp932Literal("飛行"));
  EXPECT_EQ(set.m_vAnime[2].m_vFrames[0].nTime, 2);
}

TEST(AnimeRecords, CurrentSetWithTooFewAnimationsIsPaddedNotCut) {
  cAnimeSet set;
  ASSERT_TRUE(LoadFromBytes(set, DataFile(878, AnimeSetStream(878, 1))));
  ASSERT_EQ(set.m_vAnime.size(), 4u);
  EXPECT_EQ(set.m_vAnime[0].m_strName, "a0");
  EXPECT_EQ(set.m_vAnime[3].m_bValue2, 1);

  ASSERT_TRUE(LoadFromBytes(set, DataFile(878, AnimeSetStream(878, 6))));
  EXPECT_EQ(set.m_vAnime.size(), 6u);
}

ByteFixture BmpCharaExcStream(std::uint32_t version, int fileParam, int scale) {
  ByteFixture f;
  if (version >= 172) f.I32(3).I32(fileParam).I32(1).I32(scale);
  else f.I32(1).I32(fileParam);
  f.I32(2).Str("name").Str("chara.bmp");
  return f;
}

TEST(BmpCharaExc, FileSettingIsResetBefore153AndTheScaleIsKeptInRange) {
  cBmpCharaExc record;
  ASSERT_TRUE(LoadFromBytes(record, DataFile(152, BmpCharaExcStream(152, 3, 0))));
  EXPECT_EQ(record.m_nFileParam, 0);
  EXPECT_EQ(record.m_strFile, "chara.bmp");
  EXPECT_EQ(record.m_nCellScale, 2);
  ASSERT_TRUE(LoadFromBytes(record, DataFile(153, BmpCharaExcStream(153, 3, 0))));
  EXPECT_EQ(record.m_nFileParam, 3);

  ASSERT_TRUE(LoadFromBytes(record, DataFile(172, BmpCharaExcStream(172, 0, 0))));
  EXPECT_EQ(record.m_nCellScale, 1);
  ASSERT_TRUE(LoadFromBytes(record, DataFile(878, BmpCharaExcStream(878, 0, 40))));
  EXPECT_EQ(record.m_nCellScale, 16);
}

TEST(SwordType, EntryBefore138ReadsEightValuesAndKeepsTheThirdAtOne) {
  cSwordType sword;
  ByteFixture stream;
  stream.I32(0).I32(3).Str("s").Str("a.bmp").Str("b.bmp").I32(1);
  stream.I32(8);
  for (int value = 10; value < 18; ++value) stream.I32(value);
  stream.I32(0);
  ASSERT_TRUE(LoadFromBytes(sword, DataFile(137, stream)));
  const cSwordTypeEntry& entry = sword.m_vEntries[0];
  EXPECT_EQ(entry.nValue1, 10);
  EXPECT_EQ(entry.nValue2, 11);
  EXPECT_EQ(entry.nValue3, 1);
  EXPECT_EQ(entry.nValue5, 12);
  EXPECT_EQ(entry.nEntryTime, 17);
}

TEST(SwordType, NoEntriesGetsOneDefaultEntry) {
  cSwordType sword;
  ByteFixture stream;
  stream.I32(1).I32(0).I32(3).Str("s").Str("").Str("").I32(0);
  ASSERT_TRUE(LoadFromBytes(sword, DataFile(878, stream)));
  ASSERT_EQ(sword.m_vEntries.size(), 1u);
  EXPECT_EQ(sword.m_vEntries[0].nEntryTime, 1);
  EXPECT_EQ(sword.m_vEntries[0].nValue3, 1);
}

TEST(Effect, FramesFileSettingAndCellSizes) {
  cEffect effect;
  ByteFixture stream;
  stream.I32(4).I32(5).I32(0).I32(-3).I32(9).I32(2).Str("hit").Str("hit.bmp");
  stream.I32(2).I32(2).I32(3).I32(4).I32(0).I32(2).I32(5).I32(6).I32(0);
  ASSERT_TRUE(LoadFromBytes(effect, DataFile(152, stream)));
  EXPECT_EQ(effect.m_nFileParam, 0);
  EXPECT_EQ(effect.m_nCellWidth, 1);
  EXPECT_EQ(effect.m_nCellHeight, 1);
  EXPECT_EQ(effect.m_nValue, 9);
  ASSERT_EQ(effect.m_vFrames.size(), 2u);
  EXPECT_EQ(effect.m_vFrames[1].nFirst, 5);
  EXPECT_EQ(effect.m_vFrames[1].nSecond, 6);

  ByteFixture before151;
  before151.I32(3).I32(32).I32(16).I32(0).I32(2).Str("old").Str("").I32(0);
  ASSERT_TRUE(LoadFromBytes(effect, DataFile(150, before151)));
  EXPECT_EQ(effect.m_nCellHeight, 16);
  EXPECT_TRUE(effect.m_vFrames.empty());
}

ByteFixture KindStream(int kind, int p3, int p4) {
  ByteFixture f;
  f.I32(2).I32(kind).I32(5).I32(1).I32(2).I32(p3).I32(p4).I32(1).Str("fx");
  return f;
}

TEST(EffectKinds, FilesBefore511TakeTheMissingParameterFromTheTable) {
  cCharaEffect wave;
  ASSERT_TRUE(LoadFromBytes(wave, DataFile(510, KindStream(4, 3, 0))));
  EXPECT_EQ(wave.m_anParam[4], g_CharaEffectParamDefaults[4][4]);
  EXPECT_EQ(wave.m_anParam[3], 3);
  cCharaEffect circle;
  ASSERT_TRUE(LoadFromBytes(circle, DataFile(510, KindStream(10, 0, 0))));
  EXPECT_EQ(circle.m_anParam[3], g_CharaEffectParamDefaults[10][3]);
  EXPECT_GE(circle.m_anParam[3], 1);
  cCharaEffect current;
  ASSERT_TRUE(LoadFromBytes(current, DataFile(511, KindStream(4, 3, 0))));
  EXPECT_EQ(current.m_anParam[4], 0);

  cScrEffect screenWave;
  ASSERT_TRUE(LoadFromBytes(screenWave, DataFile(300, KindStream(7, 3, 0))));
  EXPECT_EQ(screenWave.m_anParam[4], g_ScrEffectParamDefaults[7][4]);
  cScrEffect screenSplit;
  ASSERT_TRUE(LoadFromBytes(screenSplit, DataFile(300, KindStream(4, 3, 0))));
  EXPECT_EQ(screenSplit.m_anParam[4], 0);
}

TEST(MediaRecords, SoundStreamsFieldsFirstThenNameAndFile) {
  cSound sound;
  sound.m_strName = "jump";
  sound.m_nFileParam = 2;
  sound.m_strFile = "j.wav";
  ByteFixture expected;
  expected.I32(1).I32(2).I32(2).Str("jump").Str("j.wav");
  EXPECT_EQ(SavedStream(sound), expected.Bytes());
}

TEST(MediaRecords, BgmVolumeArrivedIn814) {
  cBgm bgm;
  ByteFixture old;
  old.I32(1).I32(4).I32(2).Str("m").Str("m.ogg");
  ASSERT_TRUE(LoadFromBytes(bgm, DataFile(813, old)));
  EXPECT_EQ(bgm.m_nVolume, 100);
  EXPECT_EQ(bgm.m_nFileParam, 4);
  ByteFixture current;
  current.I32(2).I32(0).I32(55).I32(2).Str("m").Str("m.ogg");
  ASSERT_TRUE(LoadFromBytes(bgm, DataFile(814, current)));
  EXPECT_EQ(bgm.m_nVolume, 55);
}

TEST(MediaRecords, PictureFileSettingIsResetBefore153) {
  cPicture picture;
  ByteFixture stream;
  stream.I32(1).I32(9).I32(2).Str("p").Str("p.bmp");
  ASSERT_TRUE(LoadFromBytes(picture, DataFile(151, stream)));
  EXPECT_EQ(picture.m_nFileParam, 0);
  ASSERT_TRUE(LoadFromBytes(picture, DataFile(153, stream)));
  EXPECT_EQ(picture.m_nFileParam, 9);
}

}  // namespace
