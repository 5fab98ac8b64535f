#pragma once
// Loading a stage file into g_Stage on the loader thread while the calling
// thread keeps serving: the main thread runs its requests, a worker thread
// watches its own queue for WM_QUIT. The stage is read into a fresh record
// and replaces g_Stage only when it was read whole and has a hero start, so
// a refused file leaves g_Stage as it was. A quit ends the loader
// cooperatively: it stops at its next section and its result is dropped.

#include <string_view>

#include "definitions/palette/chara_definition.h"
#include "definitions/stage/stage_record.h"
#include "foundation/thread.h"

// Loads the stage `name`: with `numbered` set the highest numbered file
// "<name>.stg4_NNN" that exists (none: 0, no message), else the file `name`
// itself. On success 1; `copyTo` (may be null) then receives the settings,
// removal areas, ranking switches, background layers and text list with its
// six definition lists empty, and `heroTo` (may be null) the placed
// character of the hero start. A damaged file, a failed read or a stage
// without a hero start show their messages and give 0.
int LoadStageThreaded(cThread& loader, std::string_view name, int numbered, cEdStage* copyTo,
                      cEdChara* heroTo);
