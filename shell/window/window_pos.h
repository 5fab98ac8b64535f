#pragma once
// The main window's place, kept across runs in "user_data\Window.dat":
// the position of its inner (client) area, its size and whether it was
// maximised. Loading brings the place back inside the work area of the
// monitor that holds the most of it (the primary monitor's when none holds
// any), so that a window saved on a monitor that is gone, or larger than
// this one (or a damaged file), never opens where nobody sees it.

#include <cstdint>

#include "foundation/record.h"
#include "platform/window.h"

class cWindowPos : public cRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  void Set(int x, int y, int width, int height, int zoomed);
  // A size no window could have had (a damaged file) becomes the picture's
  // (640 x 480) at the saved place: a side shorter than 100 pixels, a side
  // more than four times the whole desktop's, or a shape more than eight
  // times as wide as tall or as tall as wide (a window that came back so
  // would be a sliver, and would be saved so again). Any size a window
  // manager lets the user give the window stays.
  void KeepAWindowSize(const platform::WindowRect& wholeDesktop);
  // A size larger than the area shrunk to the largest of its shape that
  // fits; then the position moved inside the area: the whole window when it
  // fits, else (a damaged size) its top-left corner at the area's.
  void ClampInto(const platform::WindowRect& area);

  std::int32_t m_nX = 0;
  std::int32_t m_nY = 0;
  std::int32_t m_nWidth = 0;
  std::int32_t m_nHeight = 0;
  std::int32_t m_bZoomed = 0;
};

extern cWindowPos g_WindowPos;

// 1 when "user_data\Window.dat" was read into g_WindowPos.
int LoadWindowPos();
// Saves the window's current place; 0 when it cannot be written.
int SaveWindowPos();
