#pragma once
// The sample game's music: one short original tune in eight bars (melody,
// bass and drums on an eighth-note grid), arranged per screen by tempo,
// key and instruments. The same arrangement becomes a standard MIDI file
// and, synthesised, the PCM that is encoded as Ogg Vorbis.

#include <cstdint>
#include <vector>

#include "tools/sample_game/synth.h"

namespace sample_game {

struct SongNote {
  int start;   // in eighth notes from the beginning
  int length;  // in eighth notes
  int key;     // MIDI key
};

struct Arrangement {
  int beatsPerMinute;
  int transpose;      // semitones added to melody and bass
  int leadProgram;    // General MIDI program of the melody (0-based)
  int bassProgram;
  bool drums;
};

struct Song {
  std::vector<SongNote> melody;
  std::vector<SongNote> bass;
  std::vector<SongNote> drums;  // keys of the General MIDI drum set
  int eighths;                  // length of the song
};

const Song& SampleTune();

inline constexpr Arrangement kTitleArrangement{132, 0, 80, 33, true};
inline constexpr Arrangement kMapArrangement{108, 5, 73, 32, false};
inline constexpr Arrangement kStageArrangement{150, 2, 81, 38, true};
inline constexpr Arrangement kBossArrangement{168, -3, 29, 38, true};

// Format 1, 480 ticks to the quarter: a tempo track and one track per part.
std::vector<std::uint8_t> EncodeMidi(const Song& song, const Arrangement& arrangement);
// The arrangement played by the synthesiser (square lead, triangle bass, noise drums).
Samples RenderSong(const Song& song, const Arrangement& arrangement);

}  // namespace sample_game
