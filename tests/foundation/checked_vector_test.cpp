#include "foundation/checked_vector.h"

#include <gtest/gtest.h>

#include "platform/main_thread.h"
#include "tests/foundation/scratch_folder.h"

namespace {

struct SurfaceRecord {
  static constexpr int kLoggedSize = 564;
  int id = 0;
};

class CheckedContainerTest : public ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    platform::ResetMainThreadState();
    InitDebugLog(1, folder_ / "EC_Game.txt");
  }
  void TearDown() override {
    InitDebugLog(0, "EC_Game.txt");
    ScratchFolderTest::TearDown();
  }
  // The line reached both logs and the close was requested.
  void ExpectFatal(const std::string& line) {
    EXPECT_EQ(ReportText(), line + "\n");
    EXPECT_NE(ReadText(folder_ / "EC_Game.txt").find(line), std::string::npos);
    EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Fatal);
  }
};

TEST_F(CheckedContainerTest, GoodIndexesReachTheirElements) {
  cVector<int> numbers = {4, 5, 6};
  numbers[2] = 9;
  EXPECT_EQ(numbers[2], 9);
  cList<std::string> names = {"a", "b"};
  EXPECT_EQ(names.At(1), "b");
  EXPECT_EQ(ReportText(), "");
  EXPECT_FALSE(platform::TakeCloseRequest());
}

TEST_F(CheckedContainerTest, BadVectorIndexIsFatalAndGivesElementZero) {
  cVector<int> numbers = {4, 5, 6};
  EXPECT_EQ(&numbers[-1], &numbers.front());
  ExpectFatal("err V[-1] ( 3 , 4 )");
}

TEST_F(CheckedContainerTest, EmptyVectorGivesAFreshDefaultInsteadOfThrowing) {
  cVector<int> empty;
  empty[0] = 7;
  ExpectFatal("err V[0] ( 0 , 4 )");
  EXPECT_EQ(empty[3], 0) << "the fallback element starts over at every use";
}

TEST_F(CheckedContainerTest, BadListIndexIsFatalAndGivesTheDefault) {
  cList<SurfaceRecord> surfaces(2);
  surfaces.front().id = 1;
  EXPECT_EQ(surfaces.At(5).id, 0);
  ExpectFatal("err L[5] ( 2 , 564 )");
}

TEST_F(CheckedContainerTest, LoggedSizesFollowTheDataLayout) {
  EXPECT_EQ(checked_detail::LoggedSize<std::string>(), 16);
  EXPECT_EQ(checked_detail::LoggedSize<int*>(), 4);
  EXPECT_EQ(checked_detail::LoggedSize<std::vector<int>>(), 16);
  EXPECT_EQ(checked_detail::LoggedSize<std::list<int>>(), 12);
  EXPECT_EQ(checked_detail::LoggedSize<double>(), 8);
}

// Nested checked containers log the size of the container they are, as the
// animation frame table (a vector of patterns) does.
TEST_F(CheckedContainerTest, NestedContainersLogTheirOwnSize) {
  cVector<cVector<int>> table(2);
  table[2].push_back(1);
  ExpectFatal("err V[2] ( 2 , 16 )");
  EXPECT_EQ(checked_detail::LoggedSize<cList<int>>(), 12);
}

}  // namespace
