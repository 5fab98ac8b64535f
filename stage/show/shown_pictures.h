#pragma once
// The stage scene's shown pictures: found by ID, removed with their
// surfaces, counted down and placed each frame (the advance half), and
// drawn by draw layer (the pixel half) among the characters.

#include <cstdint>

#include "stage/show/shown_picture.h"

class cStageScene;

// The first picture in list order that carries ID `id`; null when none.
cShownPicture* FindShownPicture(cStageScene& scene, int id);
void RemoveShownPicture(cStageScene& scene, std::uint32_t serial);
// Every shown picture removed with its surface.
void ClearShownPictures(cStageScene& scene);
void ReleasePictureSurface(cShownPicture& picture);

// The advance half: timed pictures count down (while `held` only those
// that stopped the game), ended ones are removed, the others placed.
void AdvanceShownPictures(cStageScene& scene, int held);
// The pixel half: the pictures of draw layer `layer`, or all with -1.
void DrawShownPictures(cStageScene& scene, int layer);

// Where a picture stands on the screen this frame (and what it remembers).
void PlaceShownPicture(cShownPicture& picture);
