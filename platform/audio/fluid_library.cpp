#include "platform/audio/fluid_library.h"

#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace platform {
namespace {

// FluidSynth loads a sound font's samples on a team of OpenMP threads, one
// a core, which by default spin on after the load and take the processors
// from the game for a while: they are told to sleep instead, unless the user
// chose otherwise. Set before main, while no other thread reads the
// environment.
[[maybe_unused]] const bool g_openMpThreadsSleep = ::setenv("OMP_WAIT_POLICY", "PASSIVE", 0) == 0;

// The run-time name of the library Debian installs, then the development link.
constexpr std::array<const char*, 2> kLibraryNames = {"libfluidsynth.so.3", "libfluidsynth.so"};

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(::dlsym(library, name));
  return function != nullptr;
}

std::optional<FluidLibrary> Load() {
  void* library = nullptr;
  for (const char* name : kLibraryNames)
    if ((library = ::dlopen(name, RTLD_NOW | RTLD_LOCAL))) break;
  if (!library) {
    std::fprintf(stderr, "FluidSynth: %s\n", ::dlerror());
    return std::nullopt;
  }
  FluidLibrary f{};
  const bool found =
      Find(library, "fluid_set_log_function", f.set_log_function) &&
      Find(library, "new_fluid_settings", f.new_settings) &&
      Find(library, "delete_fluid_settings", f.delete_settings) &&
      Find(library, "fluid_settings_setnum", f.settings_setnum) &&
      Find(library, "fluid_settings_setint", f.settings_setint) && Find(library, "new_fluid_synth", f.new_synth) &&
      Find(library, "delete_fluid_synth", f.delete_synth) && Find(library, "fluid_synth_sfload", f.sfload) &&
      Find(library, "fluid_synth_noteoff", f.noteoff) && Find(library, "fluid_synth_noteon", f.noteon) &&
      Find(library, "fluid_synth_key_pressure", f.key_pressure) && Find(library, "fluid_synth_cc", f.cc) &&
      Find(library, "fluid_synth_program_change", f.program_change) &&
      Find(library, "fluid_synth_channel_pressure", f.channel_pressure) &&
      Find(library, "fluid_synth_pitch_bend", f.pitch_bend) && Find(library, "fluid_synth_sysex", f.sysex) &&
      Find(library, "fluid_synth_write_float", f.write_float) &&
      Find(library, "fluid_synth_all_sounds_off", f.all_sounds_off) &&
      Find(library, "fluid_synth_system_reset", f.system_reset);
  if (!found) {
    std::fprintf(stderr, "FluidSynth: %s\n", ::dlerror());
    ::dlclose(library);
    return std::nullopt;
  }
  // The library stays loaded until the process ends: the shared synthesiser
  // may outlive every caller.
  return f;
}

}  // namespace

const FluidLibrary* LoadFluidLibrary() {
  static const std::optional<FluidLibrary> library = Load();
  return library ? &*library : nullptr;
}

}  // namespace platform
