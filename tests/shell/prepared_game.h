#pragma once
// A small game folder written by the shell tests: the ten database files
// (empty lists, so every list keeps its default entries), the system record,
// the world map, the palette and the two start-up bitmaps, and a System.ini.
// Each test picks the drawing mode and may then damage or remove a file to
// provoke a start-up failure.

#include <filesystem>
#include <functional>
#include <string>

#include "project/system_record.h"

struct PreparedGameOptions {
  // The whole System.ini; empty writes none.
  std::string systemIni = "Direct3D=1\r\nWindowMode=1\r\nExit\r\n";
  // Changes to the system record before it is written.
  std::function<void(cSystem&)> editSystem{};
};

void WritePreparedGame(const std::filesystem::path& folder, const PreparedGameOptions& options = {});

// An 8-bit BMP of the size whose pixels are all `index`, with a colour table
// of 256 distinct colours (entry i = (i, 255 - i, i / 2)).
void WriteIndexedBmp(const std::filesystem::path& file, int width, int height, int index);
// The palette bitmap: that colour table, and its swatch block (rows 8 to 23,
// colour i at (i % 16, 8 + i / 16)).
void WritePaletteBmp(const std::filesystem::path& file);

// A fresh folder under the temporary folder, removed again by the destructor.
class ScratchGameFolder {
 public:
  explicit ScratchGameFolder(const std::string& name);
  ~ScratchGameFolder();
  const std::filesystem::path& Path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};
