#pragma once
// The process's one audio output: the mixer and the device that pulls it.
// The main thread asks for the device and closes it. Without a device (no sound
// card, a headless run) the mixer still exists and takes every voice, so the
// game behaves the same, only silently.
//
// Once opened, or tried, the output looks after its device in the main
// thread's loop: a device that goes away (its sound server ended, SDL
// reported it removed, it stopped taking the mix) is let go, and the
// system's default device is looked for again, at once and then every two
// seconds, as it is while none answered at the start. A look runs on a
// thread of its own, so that the frames never wait for a driver; a device
// let go ends on a thread of its own, for one that stopped taking the mix
// may hold its close for as long as its sound server takes no data. The
// voices live in the mixer, not in the device: music goes on from where it
// stood when the device went; the sounds asked for meanwhile are dropped.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/audio/audio_mixer.h"

namespace platform {

AudioMixer& GetMixer();

// Opens the device of the selected backend, once the window shows its first
// frame (a sound device takes milliseconds and memory to open that the first
// frame does not need), and at once where no window waits for one; main
// thread. The open runs beside the game, as every later look for a device
// does: a driver that waits for a sound server that does not answer holds
// neither the frames nor the close, and the game plays silently until the
// device opens. `opened` hears on the main thread, once the open has ended,
// whether a device opened, and if not why. A device that opens before the
// first voice is made sets the mixer's rate. Voices made meanwhile play once
// the output is open.
using AudioOpenedCallback = std::function<void(bool opened, const std::string& error)>;
void OpenAudioOutputOnceShown(AudioOpenedCallback opened = {});
// Whether the output has been opened, or an open started, since the last close.
bool AudioOutputOpenTried();
// What became of the device after the first open or its failure, told on the
// main thread: it was lost; it is back after a loss; one was found after
// none answered at the start. A device is back, or found, once sound flows
// from it, and a loss is told once until then: devices that open and stall
// again at once (on a sound server's suspended sink) are not told of.
enum class AudioDeviceChange { Lost, Back, Found };
using AudioDeviceListener = std::function<void(AudioDeviceChange change)>;
void SetAudioDeviceListener(AudioDeviceListener listener);
// Closes the device and ends the driver's part, giving each a moment to end
// (one that hangs in its driver is left to end with the process, and so is
// the part it hangs in); an open still put off is dropped, and so is a look
// under way that does not end within that moment.
void CloseAudioOutput();
// Any thread: runs `work` while the main thread neither checks nor closes
// the device. SDL's audio part serves one thread at a time: a library that
// may ask it about the audio devices from another thread (the MIDI
// synthesiser's settings) does so through this, before the device opens or
// after, never meanwhile. A look for a device, the first one too, is not
// waited for: it may hang in the driver for as long as a stopped sound
// server does, and the synthesiser asks only about an audio subsystem,
// which SDL's audio part, started on its own, is not.
void WhileAudioOutputSteady(const std::function<void()>& work);

// The capture sink: the next `frames` frames of the mix, read as the device
// would read them, after the playing streams have caught up. For tests and
// headless runs, where no device pulls the mixer.
std::vector<float> CaptureMix(std::size_t frames);

}  // namespace platform
