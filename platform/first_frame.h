#pragma once
// Start-up work that can wait for the window's first frame (the music
// synthesiser and its sound font, some 90 ms and 8 MB; the audio device's
// opening; the joysticks' start; the sound effects' conversion to the
// output's format): put off until the frame is on the screen, it does not
// compete with the game's set-up and first frame for the processor and memory.

#include <chrono>
#include <functional>

namespace platform {

// The longest that deferred work waits when no frame comes (a window that
// is never shown, a start-up that stops at an error).
inline constexpr std::chrono::milliseconds kFirstFrameWaitLimit{1000};

// A window that shows frames is there and has shown none yet.
void ExpectFirstFrame();
// The first frame is on the screen, or the window is gone: nothing waits
// from now on.
void FirstFrameDone();
// Returns once the first frame is done, at once when no window expects one,
// and after kFirstFrameWaitLimit at the latest.
void AwaitFirstFrame();
// True while a window waits for its first frame.
bool FirstFramePending();
// Main thread: runs `work` in the first pass of the main loop after the
// first frame is shown, and at once where no window waits for one. Works put
// off run in the order they were given.
void RunOnceShown(std::function<void()> work);

}  // namespace platform
