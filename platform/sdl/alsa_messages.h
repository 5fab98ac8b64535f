#pragma once
// ALSA's library prints its own complaints to stderr ("ALSA lib ...: Unknown
// PCM default", seven lines on a machine without a sound card) besides the
// error that SDL passes on. The first look for an audio device may print
// them; the looks that follow, every couple of seconds for as long as no
// device answers, must not.

namespace platform::sdl {

// Silences them for the rest of the process. The library is loaded here
// and kept, so that SDL's loading it again finds the silence in place.
// Nothing where ALSA's library is missing.
void QuietAlsaMessages();

}  // namespace platform::sdl
