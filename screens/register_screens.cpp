#include "screens/register_screens.h"

#include <memory>

#include "screens/challenge/challenge_scene.h"
#include "screens/mapmenu/map_menu_scene.h"
#include "screens/options/option_scene.h"
#include "screens/progress/play_progress.h"
#include "screens/stage_end/register_stage_end.h"
#include "screens/title/title_scene.h"
#include "screens/worldmap/world_map_scene.h"
#include "shell/game/game.h"
#include "shell/subsystems/subsystem_steps.h"

void RegisterScreens() {
  SetSceneFactory(GS_TITLE, [] { return std::make_unique<cTitleScene>(); });
  SetSceneFactory(GS_WORLDMAP, [] { return std::make_unique<cWorldMapScene>(); });
  SetSceneFactory(GS_MAPMENU, [] { return std::make_unique<cMapMenuScene>(); });
  SetSceneFactory(GS_CHALLENGE, [] { return std::make_unique<cChallengeScene>(); });
  SetSceneFactory(GS_OPTION, [] { return std::make_unique<cOptionScene>(); });
  RegisterStageEnd();
  SetPlayStageFileStep([](const std::string& path) { return PlayStageFile(path) != 0; });
}
