// The player's process entry: hands control to the application shell. The
// first argument, when given, is a stage file to play at once.
#include <string>

#include "app/player_modules.h"
#include "platform/backend.h"
#include "platform/graphics_driver_environment.h"
#include "platform/standard_descriptors.h"
#include "platform/text_encoding.h"
#include "shell/entry.h"

int main(int argc, char** argv) {
  platform::OpenClosedStandardDescriptors();
  platform::SetGraphicsDriverEnvironment();
  platform::SelectBackend(platform::Backend::Sdl);
  RegisterPlayerModules();
  const std::string stage = argc > 1 ? platform::Cp932FromUtf8(argv[1]) : std::string();
  return RunPlayer(stage);
}
