#include "foundation/log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/main_thread.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class LogTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("log_test_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    report_ = dir_ / "Report_Game.txt";
    debug_ = dir_ / "EC_Game.txt";
    platform::ResetMainThreadState();
    platform::TakeHeadlessBoxes();
  }
  void TearDown() override {
    InitDebugLog(0, "EC_Game.txt");
    fs::remove_all(dir_);
  }
  fs::path dir_, report_, debug_;
};

TEST_F(LogTest, ReportIsEmptiedAtStartThenGrowsOneLinePerCall) {
  std::ofstream(report_) << "left from an earlier run\n";
  ASSERT_EQ(InitReport(report_), 1);
  EXPECT_EQ(ReadAll(report_), "");
  EXPECT_EQ(Report("App : ver %s", "878"), 1);
  EXPECT_EQ(Report("%d", 2), 1);
  EXPECT_EQ(ReadAll(report_), "App : ver 878\n2\n");
}

TEST_F(LogTest, ALineStillWorkedOutKeepsItsPlace) {
  ASSERT_EQ(InitReport(report_), 1);
  Report("before");
  std::promise<std::string> slow;
  ReportWhenKnown(slow.get_future());
  EXPECT_EQ(ReadAll(report_), "before\n");
  // A later line from another thread waits for it and follows it.
  std::thread later([] { Report("after"); });
  slow.set_value("worked out");
  later.join();
  EXPECT_EQ(ReadAll(report_), "before\nworked out\nafter\n");
  // On a way out with nothing more reported, the line is written all the same.
  std::promise<std::string> last;
  last.set_value("last");
  ReportWhenKnown(last.get_future());
  WritePendingReportLine();
  WritePendingReportLine();
  EXPECT_EQ(ReadAll(report_), "before\nworked out\nafter\nlast\n");
}

// The last line of a process that ends at once (its display lost) follows a
// line already worked out, and is written also while another thread holds
// the log for good, here waiting for a line that is never worked out.
TEST_F(LogTest, TheLastLineIsWrittenAlsoWhileAnotherThreadHoldsTheLog) {
  ASSERT_EQ(InitReport(report_), 1);
  std::promise<std::string> known;
  known.set_value("worked out");
  ReportWhenKnown(known.get_future());
  ReportLastLine("last");
  std::promise<std::string> stuck;
  ReportWhenKnown(stuck.get_future());
  std::thread holder([] { Report("after"); });
  ReportLastLine("last again");
  EXPECT_EQ(ReadAll(report_), "worked out\nlast\nlast again\n");
  stuck.set_value("late");
  holder.join();
  EXPECT_EQ(ReadAll(report_), "worked out\nlast\nlast again\nlate\nafter\n");
}

// A start that may not own the game folder yet leaves the file as another
// run wrote it; once the file is its own, the lines it held come first, in
// their order, a line still worked out among them.
TEST_F(LogTest, AHeldReportLeavesTheFileAloneUntilItIsTaken) {
  std::ofstream(report_) << "the running player's line\n";
  ASSERT_EQ(InitHeldReport(report_), 1);
  EXPECT_EQ(Report("held"), 1);
  std::promise<std::string> slow;
  ReportWhenKnown(slow.get_future());
  slow.set_value("worked out");
  EXPECT_EQ(ReportAndLog("%s", Cp932Literal("読み込み")), 1);
  EXPECT_EQ(ReadAll(report_), "the running player's line\n");
  TakeReportFile();
  EXPECT_EQ(ReadAll(report_), "held\nworked out\n読み込み\n");
  EXPECT_EQ(Report("after"), 1);
  TakeReportFile();
  EXPECT_EQ(ReadAll(report_), "held\nworked out\n読み込み\nafter\n");

  // A start that never takes the file leaves it as it was, and its lines
  // reach no later run's file.
  ASSERT_EQ(InitHeldReport(report_), 1);
  Report("dropped");
  EXPECT_EQ(ReadAll(report_), "held\nworked out\n読み込み\nafter\n");
  ASSERT_EQ(InitHeldReport(report_), 1);
  TakeReportFile();
  EXPECT_EQ(ReadAll(report_), "");
}

// Whether the file can be written is known at once: a start that cannot
// keep its log says so before it asks anything.
TEST_F(LogTest, AHeldReportIsMadeWhenMissingAndRefusedWhenItCannotBeWritten) {
  ASSERT_EQ(InitHeldReport(report_), 1);
  EXPECT_TRUE(fs::exists(report_));
  fs::remove(report_);
  fs::create_directory(report_);
  std::error_code failure;
  EXPECT_EQ(InitHeldReport(report_, &failure), 0);
  EXPECT_EQ(failure, std::errc::is_a_directory);
  EXPECT_EQ(Report("nowhere"), 0);
}

// A fault that a loop meets on every frame is written once; another fault
// has its own line, and a report log opened again (the next start) hears of
// each again.
TEST_F(LogTest, AFaultTheGamePlaysOnThroughIsWrittenOncePerReportLog) {
  InitDebugLog(1, debug_);
  ASSERT_EQ(InitReport(report_), 1);
  for (int frame = 0; frame < 120; ++frame) {
    EXPECT_EQ(ReportAndLogOnce("err V[%d] ( %d , %d )", 1000, 1000, 4), 1);
    if (frame % 60 == 0) ReportAndLogOnce("err V[%d] ( %d , %d )", 20, 8, 4);
  }
  EXPECT_EQ(ReadAll(report_), "err V[1000] ( 1000 , 4 )\nerr V[20] ( 8 , 4 )\n");
  EXPECT_EQ(ReadAll(debug_), ReadAll(report_));
  ASSERT_EQ(InitReport(report_), 1);
  ReportAndLogOnce("err V[%d] ( %d , %d )", 1000, 1000, 4);
  EXPECT_EQ(ReadAll(report_), "err V[1000] ( 1000 , 4 )\n");
}

TEST_F(LogTest, CP932TextIsWrittenAsUtf8) {
  ASSERT_EQ(InitReport(report_), 1);
  Report("%s", Cp932Literal("読み込み"));
  EXPECT_EQ(ReadAll(report_), "読み込み\n");
}

TEST_F(LogTest, LinesFromSeveralThreadsStayWhole) {
  ASSERT_EQ(InitReport(report_), 1);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 100; ++i) Report("thread %d line %03d %s", t, i, std::string(200, 'x').c_str());
    });
  }
  for (auto& thread : threads) thread.join();
  std::istringstream lines(ReadAll(report_));
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    EXPECT_EQ(line.size(), 218u) << line.substr(0, 30);
  }
  EXPECT_EQ(count, 400);
}

TEST_F(LogTest, MissingReportFileFailsAndKeepsTheTextFromLogAndBox) {
  ASSERT_EQ(InitReport(report_), 1);
  fs::remove(report_);
  InitDebugLog(1, debug_);
  EXPECT_EQ(Report("x"), 0);
  EXPECT_EQ(ReportAndBox("lost"), 0);
  EXPECT_FALSE(fs::exists(report_));
  EXPECT_FALSE(fs::exists(debug_));
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
}

TEST_F(LogTest, DebugLogIsOffByDefaultAndRestartsOncePerRun) {
  InitDebugLog(0, debug_);
  DebugLog("nothing");
  DebugLogF("%d", 1);
  EXPECT_FALSE(fs::exists(debug_));
  EXPECT_EQ(DebugBoxF("hidden"), 0);
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());

  std::ofstream(debug_) << "earlier run\n";
  InitDebugLog(1, debug_);
  DebugLog("first");
  DebugLogF("second %d", 2);
  DebugLogText("third");
  EXPECT_EQ(ReadAll(debug_), "first\nsecond 2\nthird\n");
}

TEST_F(LogTest, ReportAndBoxShowsDataTextUnchanged) {
  ASSERT_EQ(InitReport(report_), 1);
  InitDebugLog(1, debug_);
  EXPECT_EQ(ReportAndBox("%s", "100% done"), 1);
  auto boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "100% done");
  EXPECT_EQ(boxes[0].caption, "エラー");
  EXPECT_EQ(ReadAll(report_), "100% done\n");
  EXPECT_EQ(ReadAll(debug_), "100% done\n");
}

TEST_F(LogTest, FatalPathsRaiseTheCloseRequestEvenWithTheDebugLogOff) {
  InitDebugLog(0, debug_);
  EXPECT_FALSE(platform::TakeCloseRequest());
  EXPECT_TRUE(DebugLogAndClose("err %d", 3));
  EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Fatal);
  EXPECT_TRUE(platform::ForcedCloseRaised());

  OutOfMemory();
  auto boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "メモリが不足しています！");
  EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Fatal);
}

}  // namespace
