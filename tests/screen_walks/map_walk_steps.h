#pragma once
// Steps of the walks that go from the title over the sample game's world
// map into its first stage, the meadow, and the questions seen on the way.

#include <cstddef>
#include <string>
#include <vector>

#include "screen_walk.h"
#include "screens/title/title_scene.h"
#include "screens/worldmap/world_map_scene.h"

// The title and the world map scenes; null while they are not current.
cTitleScene* Title();
cWorldMapScene* Map();

// From the title's menu, a new game, up to the map's walk phase.
void NewGameToTheMap(cScreenWalk& walk);
// From the start cell onto the first stage, and "yes" in its confirm menu.
void EnterTheFirstStage(cScreenWalk& walk);
// Holds the key for a frame and releases it for one, as long as the player
// stays open.
bool TapWhileOpen(cScreenWalk& walk, int virtualKey);
// The exit questions shown since the last call, and the texts of all boxes.
std::size_t Questions(std::vector<std::string>* texts = nullptr);
