#pragma once
// The ranking window's own thread, kept apart from the stage's headers
// (the stage names its modal-loop procedure after the pause thread).

#include <functional>

// Runs the window's loop on thRanking and waits for it to end; false when
// the thread could not start.
bool RunOnRankingThread(std::function<unsigned()> loop);
