#pragma once
// Which implementation of the platform services this process uses.
// The player runs on SDL (real window, audio and input); tests and benchmarks
// run headless (no window, scripted input, audio discarded, dialogs answered
// by a script). Select once, before the first service is created.

namespace platform {

enum class Backend { Sdl, Headless };

void SelectBackend(Backend backend);
Backend CurrentBackend();

}  // namespace platform
