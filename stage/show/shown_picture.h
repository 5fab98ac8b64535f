#pragma once
// A picture of the project's picture list shown over the stage by
// "ピクチャーの表示": where it stands (screen centre, centred on a
// character, screen or stage blocks), its size, the draw layer it is drawn
// in, and how long it stays. The entry owns its surface and remembers the
// file it came from, so a later picture of the same file can take it over.

#include <cstdint>
#include <string>

#include "graphics/surfaces/surface.h"

enum PicturePlace : std::int32_t {
  kPictureScreenCentre = 0,
  kPictureOnSelf = 1,
  kPictureOnHero = 2,
  kPictureScreenBlocks = 3,
  kPictureStageBlocks = 4,
};

struct cShownPicture {
  cShownPicture() = default;
  cShownPicture(const cShownPicture&) = delete;
  cShownPicture& operator=(const cShownPicture&) = delete;

  std::uint32_t serial = 0;  // identity within the scene's list
  std::uint16_t picture = 0;
  std::int32_t place = kPictureScreenCentre;
  std::int32_t x = 0, y = 0;  // blocks; the stage dots of the top-left when placed once
  std::int32_t offsetX = 0, offsetY = 0;
  std::int32_t width = 0, height = 0;
  std::int32_t stretch = 0;
  std::int32_t layer = 0;
  std::int32_t duration = 0;
  std::int32_t followed = 0;
  std::int32_t remaining = 0;
  std::int32_t wait = 0;         // the game stops while it is shown; it counts on held frames too
  std::int32_t screenFixed = 0;  // pinned: to the screen for modes 1, 2, 4; clear pins modes 0, 3 to the stage
  std::int32_t remembered = 0;
  std::int32_t rememberedX = 0, rememberedY = 0;
  std::int32_t idSwitch = 0;
  std::int32_t id = 0;
  double lastCentreX = 0, lastCentreY = 0;
  // Left by the advance half for the pixels.
  std::int32_t shownX = 0, shownY = 0;

  std::string file;  // CP932, as the picture list names it
  std::int32_t sourceWidth = 0, sourceHeight = 0;  // the picture file's size
  DDSURFACEDATA surface;
  bool hasSurface = false;
};
