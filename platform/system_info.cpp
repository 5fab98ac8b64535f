#include "platform/system_info.h"

#include <sys/statvfs.h>
#include <sys/utsname.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/fonts/font_rasterizer.h"
#include "platform/window.h"

namespace platform {
namespace {

std::string ReadText(const char* path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// Calls visit(key, value) for each "key<sep>value" line.
template <typename Visit>
void ForEachField(std::string_view text, char separator, Visit visit) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const auto sep = line.find(separator);
    if (sep == std::string_view::npos) continue;
    if (!visit(Trim(line.substr(0, sep)), Trim(line.substr(sep + 1)))) return;
  }
}

std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// A /proc/meminfo amount ("16318480 kB") in bytes.
std::uint64_t KiloBytes(std::string_view value) { return std::strtoull(std::string(value).c_str(), nullptr, 10) * 1024; }

}  // namespace

std::string OsName(std::string_view osRelease, std::string_view kernel, std::string_view release,
                   std::string_view machine) {
  std::string pretty, name, version;
  ForEachField(osRelease, '=', [&](std::string_view key, std::string_view value) {
    if (key == "PRETTY_NAME") pretty = Unquote(value);
    if (key == "NAME") name = Unquote(value);
    if (key == "VERSION") version = Unquote(value);
    return true;
  });
  if (pretty.empty()) pretty = version.empty() ? name : name + " " + version;
  std::string text = pretty;
  for (std::string_view part : {kernel, release, machine}) {
    if (part.empty()) continue;
    if (!text.empty()) text += ' ';
    text += part;
  }
  return text;
}

CpuFacts ParseCpuInfo(std::string_view cpuinfo) {
  CpuFacts cpu;
  bool haveMhz = false;
  ForEachField(cpuinfo, ':', [&](std::string_view key, std::string_view value) {
    if (key == "vendor_id" && cpu.vendor.empty()) cpu.vendor = value;
    if (key == "model name" && cpu.brand.empty()) cpu.brand = value;
    if (key == "cpu MHz" && !haveMhz) {
      cpu.mhz = std::strtod(std::string(value).c_str(), nullptr);
      haveMhz = true;
    }
    // The first processor's block tells all.
    return !(cpu.vendor.size() && cpu.brand.size() && haveMhz);
  });
  return cpu;
}

MemoryFacts ParseMemInfo(std::string_view meminfo) {
  MemoryFacts memory;
  std::uint64_t memFree = 0, swapTotal = 0, swapFree = 0;
  bool haveAvailable = false;
  ForEachField(meminfo, ':', [&](std::string_view key, std::string_view value) {
    if (key == "MemTotal") memory.totalBytes = KiloBytes(value);
    if (key == "MemFree") memFree = KiloBytes(value);
    if (key == "MemAvailable") {
      memory.availableBytes = KiloBytes(value);
      haveAvailable = true;
    }
    if (key == "SwapTotal") swapTotal = KiloBytes(value);
    if (key == "SwapFree") swapFree = KiloBytes(value);
    return true;
  });
  if (!haveAvailable) memory.availableBytes = memFree;
  memory.virtualTotalBytes = memory.totalBytes + swapTotal;
  memory.virtualAvailableBytes = memory.availableBytes + swapFree;
  return memory;
}

SystemFacts GatherSystemFacts(const std::filesystem::path& folder) {
  SystemFacts facts;
  struct utsname uts {};
  if (::uname(&uts) == 0)
    facts.os = OsName(ReadText("/etc/os-release"), uts.sysname, uts.release, uts.machine);
  else
    facts.os = OsName(ReadText("/etc/os-release"), {}, {}, {});
  facts.cpu = ParseCpuInfo(ReadText("/proc/cpuinfo"));
  facts.memory = ParseMemInfo(ReadText("/proc/meminfo"));
  struct statvfs disk {};
  if (::statvfs(folder.c_str(), &disk) == 0)
    facts.diskFreeBytes = static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;
  const WindowRect desktop = DesktopBounds();
  facts.displayWidth = desktop.width;
  facts.displayHeight = desktop.height;
  return facts;
}

void GatherTextFace(SystemFacts& facts) {
  // The data's default face, at the size of the system's text.
  const std::unique_ptr<FontFace> face = FontFace::Open("", 16);
  facts.fontFamily = face ? face->FamilyName() : "";
  facts.fontDrawsJapanese = face && face->DrawsJapanese();
  facts.latinFontFamily = face ? face->FamilyNameFor(U'A') : "";
}

}  // namespace platform
