#pragma once
// Surfaces made from the bitmap files that database records name (the
// special character bitmaps, the sword types, the effects). A definition
// has a fixed number of surface places, and several places show the same
// surface: places that are aliases share its pixels, never a copy. So a
// definition keeps one surface per file it names, and place i of
// definition n (counted from 1) is element (n - 1) x places + i of the
// list, showing file i mod files.
//
// A list may ask for mirrored twins: each file then also loads mirrored
// cell by cell (each cell flipped left to right in its place, for a
// character facing the other way), and the odd places show the twin.
//
// A file that cannot be loaded is written to the debug log with the
// list's failure line; its places stay empty and draw nothing.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "graphics/surfaces/surface.h"

class cDefinitionSurfaces {
 public:
  // `failureLine`: a UTF-8 format with one %s for the file name.
  cDefinitionSurfaces(int placesPerDefinition, int filesPerDefinition, const char* failureLine);

  using FileOf = std::function<std::string(std::size_t, int)>;
  // The width of the cells that definition n mirrors.
  using MirrorCellOf = std::function<int(std::size_t)>;

  // Releases what was loaded, then loads file f of every definition
  // 1 .. definitions - 1 (fileOf(n, f)), with its mirrored twin when
  // mirrorCellOf is given.
  void Load(std::size_t definitions, const FileOf& fileOf, const MirrorCellOf& mirrorCellOf = {});
  void Release();
  // After a lost screen: each loaded surface reloads its picture. 1 always
  // (a file that cannot be read again keeps what it showed).
  int Restore();
  // The surface shown at a place of the list; nullptr outside it or when
  // its file did not load.
  DDSURFACEDATA* Place(long long place);

 private:
  struct Loaded {
    DDSURFACEDATA surface;
    bool made = false;
  };
  int m_places;
  int m_files;
  int m_copies = 1;  // 2 with mirrored twins
  const char* m_failureLine;
  std::vector<Loaded> m_surfaces;  // m_files x m_copies per definition
};
