#pragma once
// Wave sounds: each sound is loaded once and played through several copies,
// so that it can overlap itself; a play takes the next copy in turn and
// starts it from the beginning. A copy is a voice of the mixer that shares
// the converted samples of its sound. Volumes are in hundredths of a
// decibel, -10000 (silent) to 0 (full), turned into the gain 10^(v/2000).
//
// Everything here runs on the main thread; other threads ask for a sound
// with a request (sound/waves/sound_requests.h).

#include <string>
#include <vector>

#include "foundation/checked_vector.h"
#include "platform/audio/audio_mixer.h"

// One entry of the sound-file list that start-up builds.
struct DSSOUNDFILE {
  std::string path;
  int nCopies = 1;
  int nVolume = 0;  // hundredths of a decibel, 0 = full
  int nFlag = 1;
};

// One copy of a sound: its voice and its volume.
class DSBUFFER {
 public:
  DSBUFFER() = default;
  explicit DSBUFFER(platform::VoiceId voice) : m_voice(voice) {}
  ~DSBUFFER();
  DSBUFFER(DSBUFFER&& other) noexcept;
  DSBUFFER& operator=(DSBUFFER&& other) noexcept;

  platform::VoiceId Voice() const { return m_voice; }
  int m_nVolume = 0;

 private:
  platform::VoiceId m_voice = platform::kNoVoice;
};

// One sound of the sound list.
struct DSSOUNDDATA {
  static constexpr int kLoggedSize = 284;
  std::string name;
  std::vector<DSBUFFER> buffers;
  int nCopies = 0;
  int nNext = 0;
};

inline constexpr int DSBVOLUME_MIN = -10000;
inline constexpr int DSBVOLUME_MAX = 0;

// Opens the audio output. The window and the primary format are the game's
// wish; the mixer always runs in stereo at the device's rate. Without a
// device one report line says so and the game runs silent: still true.
bool DS_Init(const void* window, int rate, int bits, int channels);
// Loads every sound of the list that has no copies yet, with the master
// volume, or the sound's own volume when the master volume is 0.
void DS_LoadSounds(cVector<DSSOUNDDATA>& sounds, cVector<DSSOUNDFILE>& files, int masterVolume);
// Loads a sound with `copies` copies (at least 1) at `volume`. True without
// loading when the output is not initialised (the game runs silent).
bool DS_CreateSound(DSSOUNDDATA& sound, const std::string& path, int copies, int volume);
void DS_ReleaseSound(DSSOUNDDATA& sound);
// Plays the next copy from its start (flags 0: once).
void DS_PlaySound(DSSOUNDDATA& sound, int flags);
// mode 0 sets the volume, mode 1 adds to it; the result is clamped to
// -10000..0.
void DS_SetVolume(DSSOUNDDATA& sound, int copy, int volume, int mode);
int DS_GetVolume(const DSSOUNDDATA& sound, int copy);
// Releases every sound of the list DS_LoadSounds registered, and the output.
void DS_Release();
