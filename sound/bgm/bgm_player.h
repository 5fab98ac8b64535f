#pragma once
// The background music of five track slots: 0 title, 1 world map, 2
// challenge, 3 options, 4 stage and the music command. A track is an Ogg
// Vorbis file (the Ogg players) or a standard MIDI file (the MIDI stream
// player); a slot's kind comes from its file's extension, and a file of
// another kind is tried as Ogg first, then as MIDI. Main thread only: other
// threads ask with WM_GAME_PLAYBGM (sound/bgm/bgm_request.h).

#include <array>
#include <memory>
#include <set>
#include <span>
#include <string>

#include "foundation/checked_vector.h"
#include "sound/bgm/vox_player.h"
#include "sound/midi/midi_player.h"

struct OGGTRACKDATA {
  std::string path;
  int nVolume = 0;  // 0..100
};

struct MIDITRACKDATA {
  std::string path;
  int nVolume = 0;  // 0..100
};

enum BgmKind : int { BGM_NONE = 0, BGM_OGG = 1, BGM_MIDI = 2 };

inline constexpr int kBgmSlotCount = 5;
// The default track tables: each screen's file in the bgm folder, volume 0.
extern const std::array<OGGTRACKDATA, kBgmSlotCount> g_DefaultOggTracks;
extern const std::array<MIDITRACKDATA, kBgmSlotCount> g_DefaultMidiTracks;

class cBgmPlayer {
 public:
  cBgmPlayer() = default;
  ~cBgmPlayer();
  cBgmPlayer(const cBgmPlayer&) = delete;
  cBgmPlayer& operator=(const cBgmPlayer&) = delete;

  // `channels` players, `slots` track slots from the two tables. The device
  // choice selects an outside MIDI library that this system does not have:
  // MIDI tracks always play on the own MIDI stream player.
  int Init(int channels, std::span<const OGGTRACKDATA> oggTracks, std::span<const MIDITRACKDATA> midiTracks,
           int slots, int deviceChoice);
  // Slot `slot` takes the file and its volume (clamped to 0..100); 1 for an
  // Ogg or MIDI file, 0 for a name without or with another extension.
  int SetTrack(int slot, const std::string& name, int volume);
  // Plays slot `slot` on `channel`; the slot that plays already goes on
  // unless `force`. `pause`: a MIDI song left behind by an Ogg track of
  // kind none is paused instead of stopped. 0 (nothing plays) on failure.
  int Play(int channel, int slot, int loop, int pause, int force);
  void Stop();
  void Release();
  int SetChannels(int channels);

  // The own MIDI players: Stop(flag) on each; and a new player for a slot.
  void StopAllMidi(int flag);
  int PlayMidi(int channel, int slot, int loop);

  bool IsInitialised() const { return m_bInit != 0; }
  int CurrentTrack() const { return m_nCurTrack; }
  int SlotKind(int slot) const;
  int PlayingKind(int channel) const;
  const OGGTRACKDATA& OggTrack(int slot) const { return m_vOggTracks[slot]; }
  const MIDITRACKDATA& MidiTrack(int slot) const { return m_vMidiTracks[slot]; }
  // The own MIDI player of a channel, or null.
  cMidiPlayer* MidiPlayer(int channel) const;

 private:
  bool ValidSlot(int slot) const { return slot >= 0 && std::size_t(slot) < m_vSlotKind.size(); }
  bool ValidChannel(int channel) const { return channel >= 0 && std::size_t(channel) < m_vChannelKind.size(); }
  // A damaged Ogg or MIDI file's report line, once while the player lives: a
  // screen that comes back asks for its music again.
  void ReportDamagedMusic(const std::string& path, const std::string& damage);

  int m_bInit = 0;
  cVoxPlayer m_Vox;
  cVector<std::unique_ptr<cMidiPlayer>> m_vMidiPlayers;
  cVector<OGGTRACKDATA> m_vOggTracks;
  cVector<MIDITRACKDATA> m_vMidiTracks;
  int m_nCurTrack = -1;
  cVector<int> m_vSlotKind;
  cVector<int> m_vChannelKind;
  std::set<std::string> m_DamageReported;
};

extern cBgmPlayer g_BgmPlayer;
