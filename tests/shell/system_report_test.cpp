// The system part of the report log from given facts, in its line formats.

#include "shell/report/system_report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "foundation/log.h"
#include "tests/shell/prepared_game.h"

namespace {

// The report log the facts' lines were written to.
std::string ReportOf(const ScratchGameFolder& folder) {
  std::ifstream in(folder.Path() / "Report_Game.txt");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(SystemReport, LinesKeepTheirFormats) {
  ScratchGameFolder folder("system_report");
  ASSERT_TRUE(InitReport(folder.Path() / "Report_Game.txt"));
  platform::SystemFacts facts;
  facts.os = "Debian GNU/Linux 12 (bookworm) Linux 6.1.0 x86_64";
  facts.cpu = {"GenuineIntel", "Intel(R) Core(TM) i5", 1799.998};
  const std::uint64_t mb = 1024 * 1024;
  facts.memory = {16 * 1024 * mb + mb / 2, 8000 * mb, 18 * 1024 * mb, 9000 * mb};
  facts.diskFreeBytes = 3ull * 1024 * mb;  // 3 GB shows as the 2 GB cap
  facts.displayWidth = 1920;
  facts.displayHeight = 1080;
  facts.fontFamily = "IPAGothic";
  facts.fontDrawsJapanese = true;
  facts.latinFontFamily = "IPAGothic";
  ASSERT_EQ(WriteSystemReportOf(facts), 1);
  const std::string text = ReportOf(folder);
  EXPECT_EQ(text,
            "OS : Debian GNU/Linux 12 (bookworm) Linux 6.1.0 x86_64\n"
            "CPU : GenuineIntel Intel(R) Core(TM) i5 1799\n"
            "Mem Total : 16384.500MB\n"
            "Mem Free : 8000MB\n"
            "Vir Total : 18432.000MB\n"
            "Vir Free : 9000MB\n"
            "HD Free : 2048MB\n"
            "Display : (1920,1080)\n"
            "System Font : IPAGothic (0,16) 128\n");
}

// A Japanese face without Latin letters has them drawn by another face:
// the line names that one too.
TEST(SystemReport, TheFontLineNamesTheFaceOfTheLatinLettersWhereItDiffers) {
  ScratchGameFolder folder("system_report_latin_face");
  ASSERT_TRUE(InitReport(folder.Path() / "Report_Game.txt"));
  platform::SystemFacts facts;
  facts.fontFamily = "Droid Sans Fallback";
  facts.fontDrawsJapanese = true;
  facts.latinFontFamily = "DejaVu Sans";
  ASSERT_EQ(WriteSystemReportOf(facts), 1);
  const std::string text = ReportOf(folder);
  EXPECT_NE(text.find("\nSystem Font : Droid Sans Fallback (0,16) 128, Latin letters: DejaVu Sans\n"),
            std::string::npos)
      << text;
}

TEST(SystemReport, MissingFontAndPercentSignsAreWrittenAsTheyStand) {
  ScratchGameFolder folder("system_report_font");
  ASSERT_TRUE(InitReport(folder.Path() / "Report_Game.txt"));
  platform::SystemFacts facts;
  facts.os = "100% Linux";
  ASSERT_EQ(WriteSystemReportOf(facts), 1);
  const std::string text = ReportOf(folder);
  EXPECT_EQ(text.substr(0, 17), "OS : 100% Linux\nC");
  // Without a face, no face has the Japanese characters either: the next
  // line says so and names the package to install.
  EXPECT_NE(text.find("System Font : (none) (0,16) 128\nNo installed font has the Japanese characters"),
            std::string::npos);
  EXPECT_NE(text.find("apt-get install fonts-ipafont-gothic)\n"), std::string::npos);
}

}  // namespace
