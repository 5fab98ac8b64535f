#pragma once
// The process's one audio output: the mixer and the device that pulls it.
// The main thread opens and closes the device. Without a device (no sound
// card, a headless run) the mixer still exists and takes every voice, so the
// game behaves the same, only silently.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/audio/audio_mixer.h"

namespace platform {

AudioMixer& GetMixer();

// Opens the device of the selected backend, once; later calls report the
// first result. The mixer runs at the device's own rate (its rate stays when
// voices already exist). False, with the reason, when there is no device.
bool OpenAudioOutput(std::string& error);
void CloseAudioOutput();

// The capture sink: the next `frames` frames of the mix, read as the device
// would read them, after the playing streams have caught up. For tests and
// headless runs, where no device pulls the mixer.
std::vector<float> CaptureMix(std::size_t frames);

}  // namespace platform
