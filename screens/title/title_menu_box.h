#pragma once
// The title menu's box: the visible title commands, one 32-dot row each,
// drawn once into a surface of their own and blitted over the title picture
// every frame. In text mode the rows are the commands' names in the large
// font on the window picture; in picture mode they are the commands' strips
// of the title-command picture (strip n at y = 32 n). A project without that
// picture (it is optional) gets the text box.

#include <vector>

#include "graphics/surfaces/surface.h"

class cTitleMenuBox {
 public:
  cTitleMenuBox() = default;
  ~cTitleMenuBox();
  cTitleMenuBox(const cTitleMenuBox&) = delete;
  cTitleMenuBox& operator=(const cTitleMenuBox&) = delete;

  // Sizes, makes and draws the box for these commands; false when the
  // surface could not be made.
  bool Build(const std::vector<int>& commands, bool pictureMode);
  // Draws the rows into the box again (after its pixels were lost).
  void Redraw();
  // The box with its transparent colour left out at (x, y); first redrawn
  // when its surface was lost.
  void Blit(DDSURFACEDATA* target, int x, int y);

  bool PictureMode() const { return m_bPictureMode; }
  const DDSURFACEDATA& Surface() const { return m_Box; }

 private:
  DDSURFACEDATA m_Box;
  std::vector<int> m_Commands;
  bool m_bPictureMode = false;
};

// Whether the title menu is shown as pictures: the project asks for it and
// the title-command picture is there.
bool TitleMenuAsPictures();
