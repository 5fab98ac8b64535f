#pragma once
// Closes the ranking window from outside, as a closing program does: once
// thRanking runs, it is asked to quit. Kept out of files that include the
// stage scene (whose modal-loop procedure is named after the pause thread).

#include <thread>

// A thread that waits for thRanking to run and posts it WM_QUIT; join it.
std::thread CloseRankingWindowWhenOpen();
