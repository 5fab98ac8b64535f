// The player's process entry: hands control to the application shell.
#include "platform/backend.h"
#include "shell/entry.h"

int main() {
  platform::SelectBackend(platform::Backend::Sdl);
  return RunPlayer();
}
