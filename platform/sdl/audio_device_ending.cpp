#include "platform/sdl/audio_device_ending.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform::sdl {
namespace {

// The devices whose close has not returned.
struct Endings {
  std::mutex mutex;
  std::condition_variable noneLeft;
  int count = 0;
};

Endings& TheEndings() {
  // Never destroyed: a thread still closing a device when the process ends
  // uses it until then.
  static Endings* const endings = new Endings;
  return *endings;
}

}  // namespace

void EndAudioDevice(SDL_AudioDeviceID device) {
  Endings& endings = TheEndings();
  {
    std::lock_guard lock(endings.mutex);
    ++endings.count;
  }
  // Detached: the close may wait in the driver for as long as the sound
  // server does, and neither the frames nor the end of the process wait
  // for it. It holds nothing but the device's number and the endings,
  // which are never destroyed.
  std::thread([device, &endings] {
    SDL_CloseAudioDevice(device);
    std::lock_guard lock(endings.mutex);
    if (--endings.count == 0) endings.noneLeft.notify_all();
  }).detach();
}

bool NoAudioDeviceEndingWithin(std::chrono::milliseconds wait) {
  Endings& endings = TheEndings();
  std::unique_lock lock(endings.mutex);
  return endings.noneLeft.wait_for(lock, wait, [&] { return endings.count == 0; });
}

}  // namespace platform::sdl
