#include "tests/shell/prepared_game.h"

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "foundation/record.h"
#include "foundation/record_stream.h"
#include "project/data_paths.h"
#include "project/system_record.h"
#include "project/world_map.h"

namespace fs = std::filesystem;

namespace {

void WriteBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

fs::path Native(const fs::path& folder, std::string_view stored) {
  std::string path(stored);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return folder / path;
}

}  // namespace

namespace {
template <typename PixelAt>
void WriteBmp8(const fs::path& file, int width, int height, PixelAt pixelAt) {
  const int stride = (width + 3) & ~3;
  const std::uint32_t pixelOffset = 14 + 40 + 256 * 4;
  std::vector<std::uint8_t> bmp;
  bmp.push_back('B');
  bmp.push_back('M');
  Put32(bmp, pixelOffset + stride * height);
  Put32(bmp, 0);
  Put32(bmp, pixelOffset);
  Put32(bmp, 40);
  Put32(bmp, static_cast<std::uint32_t>(width));
  Put32(bmp, static_cast<std::uint32_t>(height));
  Put16(bmp, 1);
  Put16(bmp, 8);
  for (int i = 0; i < 6; ++i) Put32(bmp, i == 4 ? 256 : 0);
  for (int i = 0; i < 256; ++i) {
    bmp.push_back(static_cast<std::uint8_t>(i / 2));    // blue
    bmp.push_back(static_cast<std::uint8_t>(255 - i));  // green
    bmp.push_back(static_cast<std::uint8_t>(i));        // red
    bmp.push_back(0);
  }
  // Rows are stored bottom-up.
  for (int row = height - 1; row >= 0; --row) {
    for (int x = 0; x < stride; ++x) bmp.push_back(static_cast<std::uint8_t>(x < width ? pixelAt(x, row) : 0));
  }
  WriteBytes(file, bmp);
}
}  // namespace

void WriteIndexedBmp(const fs::path& file, int width, int height, int index) {
  WriteBmp8(file, width, height, [index](int, int) { return index; });
}

void WritePaletteBmp(const fs::path& file) {
  // The swatch block: rows 8 to 23 hold the 256 colours in order.
  WriteBmp8(file, 16, 24, [](int x, int y) { return y < 8 ? 0 : (y - 8) * 16 + x; });
}

void WritePreparedGame(const fs::path& folder, const PreparedGameOptions& options) {
  const std::uint32_t previousVersion = g_DataVersion;
  g_DataVersion = kProgramDataVersion;
  for (PathIndex path : {PATH_ANIME_SET, PATH_ANIME, PATH_BMP_CHARA_EXC, PATH_SWORD_TYPE, PATH_EFFECT,
                         PATH_CHARA_EFFECT, PATH_SCR_EFFECT, PATH_PICTURE, PATH_SOUND, PATH_BGM}) {
    std::vector<std::uint8_t> empty;
    Put32(empty, kProgramDataVersion);
    Put32(empty, 0);
    WriteBytes(Native(folder, g_Paths[path]), empty);
  }
  // An empty common palette: no fields, no strings, three empty lists.
  std::vector<std::uint8_t> palette;
  for (std::uint32_t word : {kProgramDataVersion, 0u, 0u, 0u, 0u, 0u}) Put32(palette, word);
  WriteBytes(Native(folder, g_Paths[PATH_COMMON_PALETTE]), palette);
  const fs::path previousFolder = fs::current_path();
  fs::current_path(folder);
  cSystem system;
  system.m_strTitle = "Shell test";
  if (options.editSystem) options.editSystem(system);
  SaveFile(system, g_Paths[PATH_SYSTEM]);
  cWorldMap worldMap;
  SaveFile(worldMap, g_Paths[PATH_WORLD_MAP]);
  fs::current_path(previousFolder);
  g_DataVersion = previousVersion;

  WritePaletteBmp(folder / "bmp/plt/Palette.bmp");
  WriteIndexedBmp(folder / "bmp/Debug.bmp", 64, 16, 1);
  WriteIndexedBmp(folder / "bmp/Symbol.bmp", 256, 64, 2);
  if (!options.systemIni.empty()) {
    std::ofstream ini(folder / "System.ini", std::ios::binary);
    ini << options.systemIni;
  }
}

ScratchGameFolder::ScratchGameFolder(const std::string& name)
    : m_path(fs::temp_directory_path() / ("shell_" + name + "_" + std::to_string(::getpid()))) {
  fs::remove_all(m_path);
  fs::create_directories(m_path);
}

ScratchGameFolder::~ScratchGameFolder() {
  std::error_code ignored;
  fs::remove_all(m_path, ignored);
}
