#pragma once
// Closes the stage end's ranking window as a player does: once the window's
// own thread runs, the decide key is let go and pressed anew until it closes. Kept apart from
// the files that include the stage scene (whose modal-loop procedure is named
// after the pause thread).

#include <thread>

// A thread that presses decide in the ranking window; join it.
std::thread PressDecideInRankingWindow(int decideKey);
