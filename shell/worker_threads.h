#pragma once
// The program's worker threads and how the main thread holds them still
// around its modal dialogs and ends them at shutdown.

#include "foundation/thread.h"

extern cThread thGame;       // steps the game frames
extern cThread thPause;      // modal sub-loop of pauses, messages and effects
extern cThread thRanking;    // the ranking window while the name entry is open
extern cThread thLoadStage;  // loads a stage file while the caller pumps events

// Suspend / Resume of the four threads in the order game, pause, ranking, stage loader.
void SuspendThreads();
void ResumeThreads();
