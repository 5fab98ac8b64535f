#pragma once
// Surfaces made from the bitmap files that database records name (the
// special character bitmaps, the sword types, the effects). A definition
// has a fixed number of surface places, and several places show the same
// surface: places that are aliases share its pixels, never a copy. So a
// definition keeps one surface per file it names, and place i of
// definition n (counted from 1) is element (n - 1) x places + i of the
// list, showing file i mod files.
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

  // Releases what was loaded, then loads file f of every definition
  // 1 .. definitions - 1 (fileOf(n, f)).
  void Load(std::size_t definitions, const std::function<std::string(std::size_t, int)>& fileOf);
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
  const char* m_failureLine;
  std::vector<Loaded> m_surfaces;  // m_files per definition
};
