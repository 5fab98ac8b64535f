#include "platform/sdl/alsa_messages.h"

#include <dlfcn.h>

namespace platform::sdl {
namespace {

// ALSA's error handler (snd_lib_error_handler_t), declared here: this one
// call is all the player asks of ALSA, whose library SDL loads at run time.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error,
                                  const char* format, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

void Silent(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void QuietAlsaMessages() {
  static const bool quiet = [] {
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa) return false;
    const auto set = reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    return set && set(&Silent) == 0;
  }();
  (void)quiet;
}

}  // namespace platform::sdl
