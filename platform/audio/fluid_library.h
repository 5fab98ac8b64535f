#pragma once
// FluidSynth, loaded when the first MIDI song plays rather than linked: the
// library and the many it depends on (sound servers, sample-file formats)
// would otherwise be loaded and relocated at every start of the player.

#include <fluidsynth.h>

namespace platform {

struct FluidLibrary {
  decltype(&fluid_set_log_function) set_log_function;
  decltype(&new_fluid_settings) new_settings;
  decltype(&delete_fluid_settings) delete_settings;
  decltype(&fluid_settings_setnum) settings_setnum;
  decltype(&fluid_settings_setint) settings_setint;
  decltype(&new_fluid_synth) new_synth;
  decltype(&delete_fluid_synth) delete_synth;
  decltype(&fluid_synth_sfload) sfload;
  decltype(&fluid_synth_noteoff) noteoff;
  decltype(&fluid_synth_noteon) noteon;
  decltype(&fluid_synth_key_pressure) key_pressure;
  decltype(&fluid_synth_cc) cc;
  decltype(&fluid_synth_program_change) program_change;
  decltype(&fluid_synth_channel_pressure) channel_pressure;
  decltype(&fluid_synth_pitch_bend) pitch_bend;
  decltype(&fluid_synth_sysex) sysex;
  decltype(&fluid_synth_write_float) write_float;
  decltype(&fluid_synth_all_sounds_off) all_sounds_off;
  decltype(&fluid_synth_system_reset) system_reset;
};

// The library's functions, loaded on the first call (thread-safe); null when
// the library or one of its functions cannot be found (MIDI then plays
// silently).
const FluidLibrary* LoadFluidLibrary();

}  // namespace platform
