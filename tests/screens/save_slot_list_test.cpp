// The slot list read back from a folder of slot files: saved, missing,
// damaged and newer ones.
#include <gtest/gtest.h>

#include "project/global_data.h"
#include "screens/slots/save_slot_list.h"
#include "tests/project/byte_fixture.h"
#include "tests/project/project_test_support.h"

namespace {

class SaveSlotListTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    StartProjectData();
    std::filesystem::create_directories("user_data/story");
  }
  void TearDown() override {
    StopProjectData();
    GameFolderTest::TearDown();
  }
  static void WriteSlot(int slot, SYSTEMTIME time) {
    cSaveData data;
    data.m_SaveTime = time;
    ASSERT_EQ(SaveFile(data, MakeSaveFileName(slot)), 1);
  }
  static std::filesystem::path SlotPath(int number) {
    return std::filesystem::path("user_data/story") / ("Story" + std::string(number < 10 ? "0" : "") +
                                                         std::to_string(number) + ".dat");
  }
};

TEST_F(SaveSlotListTest, AnEmptyFolderGivesNinetyNineEmptySlots) {
  cVector<cSaveSlot> list(kSaveSlotCount);
  for (cSaveSlot& slot : list) slot.m_bValid = 1;
  RefreshSaveSlots(list);
  for (const cSaveSlot& slot : list) {
    EXPECT_EQ(slot.m_bValid, 0);
    EXPECT_EQ(slot.m_bUnloadable, 0);
  }
}

TEST_F(SaveSlotListTest, SavedDamagedAndNewerFilesAreUsedAndOnlySavedOnesHaveATime) {
  // SYSTEMTIME: year, month, day of week, day, hour, minute, second, ms.
  WriteSlot(0, {2026, 12, 1, 7, 9, 5, 30, 0});
  WriteSlot(98, {1999, 1, 5, 2, 23, 59, 59, 999});
  // Index 3 (Story04.dat): half a file; index 4: a newer version; index 5: an empty file.
  WriteSlot(3, {2020, 2, 0, 2, 2, 2, 2, 2});
  const std::vector<std::uint8_t> whole = ReadAllBytes(SlotPath(4));
  ByteFixture half;
  for (std::size_t i = 0; i < whole.size() / 2; ++i) half.U8(whole[i]);
  half.WriteTo(SlotPath(4));
  ByteFixture newer;
  newer.I32(879);
  for (std::size_t i = 4; i < whole.size(); ++i) newer.U8(whole[i]);
  newer.WriteTo(SlotPath(5));
  ByteFixture().WriteTo(SlotPath(6));

  cVector<cSaveSlot> list(kSaveSlotCount);
  RefreshSaveSlots(list);
  EXPECT_EQ(list[0].m_bValid, 1);
  EXPECT_EQ(list[0].m_bUnloadable, 0);
  EXPECT_EQ(SlotTimeText(list[0]), "2026/12/07 09:05\n");
  EXPECT_EQ(list[98].m_bValid, 1);
  EXPECT_EQ(SlotTimeText(list[98]), "1999/01/02 23:59\n");
  for (int index : {3, 4, 5}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(list[index].m_bValid, 1);
    EXPECT_EQ(list[index].m_bUnloadable, 1);
    EXPECT_EQ(list[index].m_Time.wYear, 0);
  }
  EXPECT_EQ(list[1].m_bValid, 0);
  EXPECT_EQ(list[97].m_bValid, 0);
  // A slot saved again is loadable again.
  WriteSlot(3, {2030, 3, 0, 3, 3, 3, 0, 0});
  RefreshSaveSlots(list);
  EXPECT_EQ(list[3].m_bUnloadable, 0);
  EXPECT_EQ(SlotTimeText(list[3]), "2030/03/03 03:03\n");
}

}  // namespace
