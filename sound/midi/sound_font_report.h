#pragma once
// The report lines that tell which sound font MIDI music plays with: written
// once the synthesiser has loaded for the first song (beside the game, so at
// no fixed frame), and again only when the choice changes, not once per song.

#include <string_view>

#include "platform/audio/midi_synth.h"

// Whether the line is the one that tells the sound font in use, or that
// there is none.
bool IsSoundFontLine(std::string_view line);

// A line for each file refused, in the order tried, then the font in use or
// the lack of one.
void ReportSoundFonts(const platform::SoundFontChoice& soundFonts);
