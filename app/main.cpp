// The player's process entry: hands control to the application shell. The
// first argument, when given, is a stage file to play at once.
#include <string>

#include "commands/install.h"
#include "platform/backend.h"
#include "platform/text_encoding.h"
#include "screens/register_screens.h"
#include "shell/entry.h"
#include "stage/draw/stage_drawing.h"
#include "stage/scene/stage_scene.h"

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Sdl);
  RegisterStageScene();
  RegisterStageDrawing();
  InstallCommands();
  RegisterScreens();
  const std::string stage = argc > 1 ? platform::Cp932FromUtf8(argv[1]) : std::string();
  return RunPlayer(stage);
}
