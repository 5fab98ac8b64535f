#pragma once
// Closing an SDL audio device joins SDL's audio thread, which waits in the
// driver for the device to take data. One that stopped taking it (a sound
// server that suspended its sink for a program that reserves the card, or a
// stopped server) holds the close until it takes data again, or for good:
// so a device let go is closed on a thread of its own, and nothing waits
// for that thread longer than it chooses to.

#include <SDL.h>

#include <chrono>

namespace platform::sdl {

// Starts closing the device on a thread of its own.
void EndAudioDevice(SDL_AudioDeviceID device);
// True once no device is left ending, waiting at most `wait` for that.
bool NoAudioDeviceEndingWithin(std::chrono::milliseconds wait);
// Whether a device let go longer than `time` ago is still ending.
bool AudioDeviceEndingLongerThan(std::chrono::milliseconds time);

}  // namespace platform::sdl
