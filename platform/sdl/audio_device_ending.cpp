#include "platform/sdl/audio_device_ending.h"

#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace platform::sdl {
namespace {

using Clock = std::chrono::steady_clock;

// When each device whose close has not returned was let go.
struct Endings {
  std::mutex mutex;
  std::condition_variable noneLeft;
  std::multiset<Clock::time_point> started;
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
  std::multiset<Clock::time_point>::iterator started;
  {
    std::lock_guard lock(endings.mutex);
    started = endings.started.insert(Clock::now());
  }
  // Detached: the close may wait in the driver for as long as the sound
  // server does, and neither the frames nor the end of the process wait
  // for it. It holds nothing but the device's number and the endings,
  // which are never destroyed.
  std::thread([device, &endings, started] {
    SDL_CloseAudioDevice(device);
    std::lock_guard lock(endings.mutex);
    endings.started.erase(started);
    if (endings.started.empty()) endings.noneLeft.notify_all();
  }).detach();
}

bool NoAudioDeviceEndingWithin(std::chrono::milliseconds wait) {
  Endings& endings = TheEndings();
  std::unique_lock lock(endings.mutex);
  return endings.noneLeft.wait_for(lock, wait, [&] { return endings.started.empty(); });
}

bool AudioDeviceEndingLongerThan(std::chrono::milliseconds time) {
  Endings& endings = TheEndings();
  std::lock_guard lock(endings.mutex);
  return !endings.started.empty() && Clock::now() - *endings.started.begin() > time;
}

}  // namespace platform::sdl
