#include "sound/bgm/bgm_player.h"

#include <algorithm>

#include "foundation/log.h"
#include "foundation/paths.h"
#include "platform/audio/audio_output.h"

const std::array<OGGTRACKDATA, kBgmSlotCount> g_DefaultOggTracks = {{
    {"bgm\\Title.ogg", 0},
    {"bgm\\WorldMap.ogg", 0},
    {"bgm\\Challenge.ogg", 0},
    {"bgm\\Option.ogg", 0},
    {"bgm\\Stage.ogg", 0},
}};
const std::array<MIDITRACKDATA, kBgmSlotCount> g_DefaultMidiTracks = {{
    {"bgm\\Title.mid", 0},
    {"bgm\\WorldMap.mid", 0},
    {"bgm\\Challenge.mid", 0},
    {"bgm\\Option.mid", 0},
    {"bgm\\Stage.mid", 0},
}};

cBgmPlayer g_BgmPlayer;

cBgmPlayer::~cBgmPlayer() { Release(); }

int cBgmPlayer::Init(int channels, std::span<const OGGTRACKDATA> oggTracks,
                     std::span<const MIDITRACKDATA> midiTracks, int slots, int) {
  m_bInit = 1;
  // The music needs the output even when the sound effects start later.
  platform::OpenAudioOutputOnceShown();
  SetChannels(channels);
  slots = std::max(slots, 0);
  m_vOggTracks.assign(std::size_t(slots), OGGTRACKDATA{});
  m_vMidiTracks.assign(std::size_t(slots), MIDITRACKDATA{});
  std::copy_n(oggTracks.begin(), std::min(oggTracks.size(), std::size_t(slots)), m_vOggTracks.begin());
  std::copy_n(midiTracks.begin(), std::min(midiTracks.size(), std::size_t(slots)), m_vMidiTracks.begin());
  m_vSlotKind.assign(std::size_t(slots), BGM_NONE);
  return 1;
}

int cBgmPlayer::SetChannels(int channels) {
  channels = std::max(channels, 0);
  m_Vox.Create(channels);
  m_vMidiPlayers.clear();
  m_vMidiPlayers.resize(std::size_t(channels));
  m_vChannelKind.assign(std::size_t(channels), BGM_NONE);
  return 1;
}

int cBgmPlayer::SetTrack(int slot, const std::string& name, int volume) {
  if (!m_bInit) return 0;
  volume = std::clamp(volume, 0, 100);
  OGGTRACKDATA& ogg = m_vOggTracks[slot];
  MIDITRACKDATA& midi = m_vMidiTracks[slot];
  int& kind = m_vSlotKind[slot];
  std::string extension;
  if (!GetExt(extension, name)) {
    ogg = {};
    midi = {};
    kind = BGM_NONE;
    return 0;
  }
  if (extension == "mid" || extension == "MID") {
    ChangeExt(midi.path, name, "mid");
    midi.nVolume = volume;
    kind = BGM_MIDI;
    return 1;
  }
  if (extension == "ogg" || extension == "OGG") {
    ogg = {name, volume};
    kind = BGM_OGG;
    return 1;
  }
  ogg = {name, volume};
  midi = {name, volume};
  kind = BGM_NONE;
  return 0;
}

int cBgmPlayer::Play(int channel, int slot, int loop, int pause, int force) {
  if (!m_bInit) return 0;
  if (slot == m_nCurTrack && !force) return 1;
  const int kind = m_vSlotKind[slot];
  int playing = BGM_NONE;
  if (kind != BGM_MIDI) {
    const OGGTRACKDATA& track = m_vOggTracks[slot];
    std::string damage;
    if (m_Vox.Play(channel, track.path, loop, track.nVolume, &damage)) {
      StopAllMidi(kind == BGM_NONE && pause ? 1 : 0);
      playing = BGM_OGG;
    } else if (kind == BGM_OGG && !damage.empty()) {
      // A file of another name is only tried as Ogg: its refusal is no damage.
      ReportDamagedMusic(track.path, damage);
    }
  }
  if (playing == BGM_NONE && kind != BGM_OGG && PlayMidi(channel, slot, loop)) {
    m_Vox.Stop();
    playing = BGM_MIDI;
  }
  if (playing == BGM_NONE) {
    StopAllMidi(0);
    m_Vox.Stop();
    m_nCurTrack = -1;
    return 0;
  }
  m_nCurTrack = slot;
  m_vChannelKind[channel] = playing;
  return 1;
}

void cBgmPlayer::Stop() {
  if (!m_bInit) return;
  StopAllMidi(0);
  m_Vox.Stop();
}

void cBgmPlayer::Release() {
  m_Vox.Release();
  m_vMidiPlayers.clear();
  m_DamageReported.clear();
  m_bInit = 0;
}

void cBgmPlayer::StopAllMidi(int flag) {
  for (const auto& player : m_vMidiPlayers)
    if (player) player->Stop(flag);
}

int cBgmPlayer::PlayMidi(int channel, int slot, int loop) {
  StopAllMidi(1);
  for (auto& player : m_vMidiPlayers) player.reset();
  const MIDITRACKDATA& track = m_vMidiTracks[slot];
  std::string extension;
  if (!GetExt(extension, track.path) || extension != "mid" || !ValidChannel(channel)) return 0;
  auto player = std::make_unique<cMidiPlayer>(track.path);
  if (!player->Loaded()) {
    // A file that could not be read at all is a missing one: no damage.
    if (!player->Damage().empty()) ReportDamagedMusic(track.path, player->Damage());
    return 0;
  }
  player->Play(loop);
  m_vMidiPlayers[channel] = std::move(player);
  return 1;
}

void cBgmPlayer::ReportDamagedMusic(const std::string& path, const std::string& damage) {
  if (!m_DamageReported.insert(path).second) return;
  ReportAndLog("Damaged music file \"%s\": %s; it does not play", path.c_str(), damage.c_str());
}

int cBgmPlayer::SlotKind(int slot) const { return ValidSlot(slot) ? m_vSlotKind[slot] : BGM_NONE; }

int cBgmPlayer::PlayingKind(int channel) const { return ValidChannel(channel) ? m_vChannelKind[channel] : BGM_NONE; }

cMidiPlayer* cBgmPlayer::MidiPlayer(int channel) const {
  return ValidChannel(channel) ? m_vMidiPlayers[channel].get() : nullptr;
}
