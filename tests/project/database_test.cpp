// Loading the ten database files of a project folder, with the old-file sword
// limit, the entry-0 effect reset and the failure messages.

#include <gtest/gtest.h>

#include <string>

#include "foundation/message_box.h"
#include "project/data_paths.h"
#include "project/database.h"
#include "tests/project/project_test_support.h"

namespace {

ByteFixture NamedFileStream(const std::string& name) {
  ByteFixture f;
  f.I32(1).I32(0).I32(2).Str(name).Str(name + ".bin");
  return f;
}

ByteFixture StreamFor(PathIndex path, const std::string& name) {
  ByteFixture f;
  switch (path) {
    case PATH_ANIME_SET:
      f.I32(3).I32(4).I32(8).I32(0).I32(1).Str(name).I32(0);
      break;
    case PATH_ANIME:
      f.I32(3).U16(0).U8(1).U16(0).I32(1).Str(name).I32(0);
      break;
    case PATH_BMP_CHARA_EXC:
      f.I32(3).I32(0).I32(0).I32(2).I32(2).Str(name).Str("");
      break;
    case PATH_SWORD_TYPE:
      f.I32(1).I32(0).I32(3).Str(name).Str("").Str("").I32(0);
      break;
    case PATH_EFFECT:
      f.I32(4).I32(0).I32(32).I32(32).I32(0).I32(2).Str(name).Str("").I32(0);
      break;
    case PATH_CHARA_EFFECT:
    case PATH_SCR_EFFECT:
      f.I32(2).I32(5).I32(1).I32(2).I32(3).I32(4).I32(5).I32(1).Str(name);
      break;
    case PATH_BGM:
      f.I32(2).I32(0).I32(100).I32(2).Str(name).Str("");
      break;
    default:
      f.Append(NamedFileStream(name));
  }
  return f;
}

class DatabaseLoad : public GameFolderTest {
 protected:
  static constexpr PathIndex kFiles[] = {PATH_ANIME_SET,    PATH_ANIME,      PATH_BMP_CHARA_EXC, PATH_SWORD_TYPE,
                                         PATH_EFFECT,       PATH_CHARA_EFFECT, PATH_SCR_EFFECT, PATH_PICTURE,
                                         PATH_SOUND,        PATH_BGM};

  void WriteList(PathIndex path, int count, std::uint32_t version = 878) {
    ByteFixture records;
    records.I32(count);
    for (int i = 0; i < count; ++i) records.Append(StreamFor(path, "e" + std::to_string(i)));
    DataFile(version, records).WriteTo(ResolveGamePath(g_Paths[path]));
  }
  void WriteAll(int count) {
    for (PathIndex path : kFiles) WriteList(path, count);
  }
  std::vector<platform::ShownBox> Boxes() { return platform::TakeHeadlessBoxes(); }

  cDatabase database;
};

TEST_F(DatabaseLoad, TenValidFilesFillEveryListInFileOrder) {
  WriteAll(3);
  ASSERT_EQ(LoadDatabases(database), 1);
  EXPECT_EQ(database.m_vAnimeSet.size(), 3u);
  EXPECT_EQ(database.m_vAnimeSet[2].m_strName, "e2");
  EXPECT_EQ(database.m_vAnimeSet[2].m_vAnime.size(), 4u);
  EXPECT_EQ(database.m_vAnime[1].m_strName, "e1");
  EXPECT_EQ(database.m_vSwordType[0].m_vEntries.size(), 1u);
  EXPECT_EQ(database.m_vSound[2].m_strFile, "e2.bin");
  EXPECT_EQ(database.m_vBgm.size(), 3u);
  EXPECT_EQ(database.m_vCharaEffect[0].m_nKind, 0);
  EXPECT_EQ(database.m_vCharaEffect[1].m_nKind, 5);
  EXPECT_EQ(database.m_vScrEffect[0].m_nKind, 0);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(DatabaseLoad, MissingPictureFileStopsWithItsMessage) {
  WriteAll(3);
  std::filesystem::remove(ResolveGamePath(g_Paths[PATH_PICTURE]));
  EXPECT_EQ(LoadDatabases(database), 0);
  EXPECT_EQ(database.m_vScrEffect.size(), 2u) << "the lists read before the failing file are not kept";
  EXPECT_EQ(database.m_vPicture.size(), 2u);
  EXPECT_EQ(database.m_vSound.size(), 2u);
  std::vector<platform::ShownBox> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "data\\database\\Picture.dat の読み込みに失敗しました！");
}

TEST_F(DatabaseLoad, NewerFileStopsWithTheVersionMessage) {
  WriteAll(3);
  WriteList(PATH_EFFECT, 3, 879);
  EXPECT_EQ(LoadDatabases(database), 0);
  EXPECT_EQ(database.m_vSwordType.size(), 1u);
  EXPECT_EQ(database.m_vEffect.size(), 2u);
  EXPECT_EQ(database.m_vBgm.size(), 2u);
  std::vector<platform::ShownBox> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("data\\database\\Effect.dat"), std::string::npos);
  EXPECT_NE(boxes[0].text.find("上位のバージョン"), std::string::npos);
}

TEST_F(DatabaseLoad, EmptyOrCountlessFilesKeepTheDefaultEntries) {
  WriteAll(3);
  WriteList(PATH_PICTURE, 0);
  DataFile(878, ByteFixture()).WriteTo(ResolveGamePath(g_Paths[PATH_SOUND]));
  ASSERT_EQ(LoadDatabases(database), 1);
  EXPECT_EQ(database.m_vPicture.size(), 2u);
  EXPECT_EQ(database.m_vSound.size(), 2u);
}

TEST_F(DatabaseLoad, DamagedFileIsRefusedAndItsListKept) {
  WriteAll(3);
  ByteFixture records;
  records.I32(2).Append(StreamFor(PATH_BGM, "ok"));
  DataFile(878, records).WriteTo(ResolveGamePath(g_Paths[PATH_BGM]));
  EXPECT_EQ(LoadDatabases(database), 0);
  EXPECT_EQ(database.m_vBgm.size(), 2u);
  EXPECT_EQ(database.m_vBgm[0].m_strName, "");
}

// A refused load changes nothing: the ten lists are committed together only
// when every file loaded, so a failing file no longer leaves the lists before
// it loaded and the rest as they were, and entry 0 of the effect lists keeps
// its reset kind.
TEST_F(DatabaseLoad, RefusedReloadLeavesEveryListAsItWas) {
  WriteAll(3);
  ASSERT_EQ(LoadDatabases(database), 1);
  WriteAll(4);
  std::filesystem::resize_file(ResolveGamePath(g_Paths[PATH_BGM]), 0);
  EXPECT_EQ(LoadDatabases(database), 0);
  EXPECT_EQ(database.m_vAnimeSet.size(), 3u);
  EXPECT_EQ(database.m_vCharaEffect.size(), 3u);
  EXPECT_EQ(database.m_vSound.size(), 3u);
  EXPECT_EQ(database.m_vBgm.size(), 3u);
  EXPECT_EQ(database.m_vCharaEffect[0].m_nKind, 0);
  EXPECT_EQ(database.m_vScrEffect[0].m_nKind, 0);
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(DatabaseLoad, OldSwordTypeFilesHoldAtMost128Types) {
  WriteAll(1);
  WriteList(PATH_SWORD_TYPE, 200, 827);
  ASSERT_EQ(LoadDatabases(database), 1);
  EXPECT_EQ(database.m_vSwordType.size(), 128u);
  EXPECT_EQ(database.m_vSwordType[127].m_strName, "e127");

  WriteList(PATH_SWORD_TYPE, 200, 828);
  ASSERT_EQ(LoadDatabases(database), 1);
  EXPECT_EQ(database.m_vSwordType.size(), 200u);

  cDatabase fresh;
  WriteList(PATH_SWORD_TYPE, 100, 827);
  ASSERT_EQ(LoadDatabases(fresh), 1);
  EXPECT_EQ(fresh.m_vSwordType.size(), 100u);
}

TEST_F(DatabaseLoad, EffectEntryZeroHasNoKindInTheListsAndTheWorkingCopies) {
  WriteAll(2);
  ASSERT_EQ(LoadDatabases(database), 1);
  BuildEffectWorkCopies(database);
  ASSERT_EQ(database.m_vCharaEffectWork.size(), 2u);
  EXPECT_EQ(database.m_vCharaEffectWork[0].m_nKind, 0);
  EXPECT_EQ(database.m_vCharaEffectWork[1].m_anParam[4], 5);
  EXPECT_EQ(database.m_vScrEffectWork[0].m_nKind, 0);
}

TEST_F(DatabaseLoad, CarriageReturnsAreDroppedFromLoadedNames) {
  WriteAll(1);
  ByteFixture records;
  records.I32(1).Append(NamedFileStream("two\r\nwords"));
  DataFile(878, records).WriteTo(ResolveGamePath(g_Paths[PATH_SOUND]));
  ASSERT_EQ(LoadDatabases(database), 1);
  EXPECT_EQ(database.m_vSound[0].m_strName, "two\nwords");
}

TEST(DatabaseDefaults, NewDatabaseHoldsTheDefaultEntries) {
  cDatabase database;
  EXPECT_EQ(database.m_vAnimeSet.size(), 1u);
  ASSERT_EQ(database.m_vAnime.size(), 2u);
  EXPECT_EQ(database.m_vAnime[0].m_strName, Cp932Literal("なし"));
  EXPECT_EQ(database.m_vAnime[1].m_strName, Cp932Literal("アクションA"));
  EXPECT_EQ(database.m_vSwordType.size(), 1u);
  EXPECT_EQ(database.m_vCharaEffect[1].m_nKind, 1);
  EXPECT_EQ(database.m_vBgm[1].m_nVolume, 100);
  EXPECT_TRUE(database.m_vCharaEffectWork.empty());
}

TEST(EffectSlots, EverySlotOfBothSetsIsBoundToItsDefinition) {
  struct Slot {
    int number = -1;
    int set = -1;
  };
  std::vector<Slot> set0(5), set1;
  InitEffectSlots(set0, set1, 3, [](Slot& slot, std::int16_t n, int set) {
    slot.number = n;
    slot.set = set;
  });
  ASSERT_EQ(set0.size(), 3u);
  ASSERT_EQ(set1.size(), 3u);
  EXPECT_EQ(set0[2].number, 2);
  EXPECT_EQ(set0[2].set, 0);
  EXPECT_EQ(set1[1].set, 1);
}

}  // namespace
