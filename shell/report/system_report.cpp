#include "shell/report/system_report.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <future>
#include <string>

#include "foundation/log.h"
#include "platform/text_encoding.h"

namespace {
constexpr double kMegaByte = 1.0 / (1024.0 * 1024.0);
// The disk line tells free space up to 2 GB, as the game has always shown it.
constexpr std::uint64_t kDiskFreeCap = 2147483647;

double MegaBytes(std::uint64_t bytes) { return static_cast<double>(bytes) * kMegaByte; }

// Said once, in the report log and on stderr, where no installed face has
// the Japanese characters: the game's texts show them as boxes, or not at
// all where no font is installed.
constexpr const char* kNoJapaneseFont =
    "No installed font has the Japanese characters, so the game's Japanese text cannot be drawn: "
    "install a Japanese font (Debian: apt-get install fonts-ipafont-gothic)";

// The game's text is Shift-JIS (character set 128) in cells 16 dots high;
// where another face draws its Latin letters, the line names that one too.
std::string SystemFontLines(const platform::SystemFacts& facts) {
  const std::string face = facts.fontFamily.empty() ? "(none)" : platform::Cp932FromUtf8(facts.fontFamily);
  std::string lines = "System Font : " + face + " (0,16) 128";
  if (!facts.latinFontFamily.empty() && facts.latinFontFamily != facts.fontFamily)
    lines.append(", Latin letters: ").append(platform::Cp932FromUtf8(facts.latinFontFamily));
  if (!facts.fontDrawsJapanese) lines.append("\n").append(kNoJapaneseFont);
  return lines;
}

// Every line but the text face's; 0 when the report file cannot be written.
int WriteMachineLines(const platform::SystemFacts& facts) {
  // Texts from the machine are UTF-8; the report takes CP932 lines and writes UTF-8.
  const std::string os = platform::Cp932FromUtf8(facts.os);
  const std::string vendor = platform::Cp932FromUtf8(facts.cpu.vendor);
  const std::string brand = platform::Cp932FromUtf8(facts.cpu.brand);
  if (!Report("OS : %s", os.c_str())) return 0;
  Report("CPU : %s %s %d", vendor.c_str(), brand.c_str(), static_cast<int>(facts.cpu.mhz));
  Report("Mem Total : %.3fMB", MegaBytes(facts.memory.totalBytes));
  Report("Mem Free : %3.fMB", MegaBytes(facts.memory.availableBytes));
  Report("Vir Total : %.3fMB", MegaBytes(facts.memory.virtualTotalBytes));
  Report("Vir Free : %3.fMB", MegaBytes(facts.memory.virtualAvailableBytes));
  Report("HD Free : %3.fMB", MegaBytes(std::min(facts.diskFreeBytes, kDiskFreeCap)));
  Report("Display : (%d,%d)", facts.displayWidth, facts.displayHeight);
  return 1;
}

}  // namespace

int WriteSystemReportOf(const platform::SystemFacts& facts) {
  if (!WriteMachineLines(facts)) return 0;
  Report("%s", SystemFontLines(facts).c_str());
  return 1;
}

int WriteSystemReport() {
  std::error_code error;
  if (!WriteMachineLines(platform::GatherSystemFacts(std::filesystem::current_path(error)))) return 0;
  // The text face waits for fontconfig, whose configuration loads beside the
  // window's creation; its line keeps its place all the same.
  ReportWhenKnown(std::async(std::launch::async, [] {
    platform::SystemFacts facts;
    platform::GatherTextFace(facts);
    if (!facts.fontDrawsJapanese) std::fprintf(stderr, "%s\n", kNoJapaneseFont);
    return SystemFontLines(facts);
  }));
  return 1;
}
