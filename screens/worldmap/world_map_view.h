#pragma once
// The world map as the screen shows it: the map surface (background,
// chips of the 20 x 15 cells in view, the icons of the points that offer a
// stage), drawn into the 640 x 480 work picture whenever the view moves, and
// each frame's screen over it: the walking figure, the lives box and, with
// details, the stage's name and best score.

#include "project/world_map.h"

class cSaveData;

inline constexpr int kWorldMapWorkPicture = 67;
inline constexpr int kWorldChipPicture = 52;
inline constexpr int kWorldIconPicture = 53;
inline constexpr int kWorldBackPicture = 54;
inline constexpr int kFigureX = 288;
inline constexpr int kFigureY = 224;

// The top-left cell in view for a cursor cell (may be negative).
inline WorldCell ViewOrigin(WorldCell cursor) { return {cursor.x - 9, cursor.y - 7}; }

void DrawWorldMapSurface(WorldCell view, const cSaveData& data);

struct WorldMapScreen {
  int facing = 0;          // 0 down, 1 up, 2 left, 3 right
  const cWorldStage* stage = nullptr;  // the enterable stage under the figure, or null
  int stageValue = 0;      // its best score
};
// Draws one frame of the map; `details` adds the stage's name and score.
// `frameCounter` steps the figure's two frames.
void DrawWorldMapScreen(const WorldMapScreen& screen, bool details, int& frameCounter, WorldCell view,
                        const cSaveData& data);
