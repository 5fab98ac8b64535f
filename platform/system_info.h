#pragma once
// What the report log says about the machine, read from Linux's own
// sources: /etc/os-release and uname for the system, /proc/cpuinfo for the
// processor (no busy clock measurement: the kernel's figure is taken),
// /proc/meminfo for memory, statvfs for the game folder's disk, and
// fontconfig for the text face. The parsers take the files' text, so tests
// feed them texts of their own.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

struct CpuFacts {
  std::string vendor;  // e.g. "GenuineIntel"; empty when not given
  std::string brand;   // e.g. "Intel(R) Core(TM) i5 ..."; empty when not given
  double mhz = 0;      // the first processor's clock as the kernel reports it
};

struct MemoryFacts {
  std::uint64_t totalBytes = 0;      // MemTotal
  std::uint64_t availableBytes = 0;  // MemAvailable (MemFree on old kernels)
  std::uint64_t virtualTotalBytes = 0;      // memory and swap
  std::uint64_t virtualAvailableBytes = 0;  // available memory and free swap
};

struct SystemFacts {
  std::string os;
  CpuFacts cpu;
  MemoryFacts memory;
  std::uint64_t diskFreeBytes = 0;
  int displayWidth = 0;
  int displayHeight = 0;
  std::string fontFamily;          // the family that draws the game's text; empty when none is found
  bool fontDrawsJapanese = false;  // whether that face has the Japanese characters
  std::string latinFontFamily;     // the family that draws its Latin letters (that face's own or a stand-in)
};

// "PRETTY_NAME" of os-release (NAME and VERSION when it is missing), then
// the kernel's name, release and machine.
std::string OsName(std::string_view osRelease, std::string_view kernel, std::string_view release,
                   std::string_view machine);
CpuFacts ParseCpuInfo(std::string_view cpuinfo);
MemoryFacts ParseMemInfo(std::string_view meminfo);

// The facts of this machine but the text face, quickly; the disk is the one
// holding `folder`.
SystemFacts GatherSystemFacts(const std::filesystem::path& folder);
// The face that draws the game's text into fontFamily and fontDrawsJapanese,
// and the one that draws its Latin letters into latinFontFamily.
// It waits for fontconfig's configuration, which takes a while to load at
// start-up.
void GatherTextFace(SystemFacts& facts);

}  // namespace platform
