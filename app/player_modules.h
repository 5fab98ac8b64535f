#pragma once
// The higher modules reach into the stage only through slots and tables
// filled at start-up (scene creators, stage drawing, the flow runtime, the
// screens). The player, the soak, the frame-rate benchmark and the tests that
// run the whole player fill them alike, through this one call.

#include "commands/install.h"
#include "screens/register_screens.h"
#include "stage/draw/stage_drawing.h"
#include "stage/scene/stage_scene.h"

inline void RegisterPlayerModules() {
  RegisterStageScene();
  RegisterStageDrawing();
  InstallCommands();
  RegisterScreens();
}
