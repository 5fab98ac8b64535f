#pragma once

// The sound font the tests render MIDI with, named as a user names one
// (SDL_SOUNDFONTS), whichever the system prefers: what they measure (a
// note's attack, how loud a song is) belongs to the font.
inline constexpr const char* kTestSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
