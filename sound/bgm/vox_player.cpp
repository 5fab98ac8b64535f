#include "sound/bgm/vox_player.h"

#include "foundation/game_files.h"

int cVoxPlayer::Create(int count) {
  Release();
  for (int i = 0; i < count; ++i) m_vPlayers.push_back(std::make_unique<platform::OggPlayer>());
  return 1;
}

int cVoxPlayer::Play(int channel, const std::string& path, int loop, int volume, std::string* damage) {
  Stop();
  if (path.empty() || channel < 0 || channel >= Count()) {
    m_nCurrent = -1;
    return 0;
  }
  platform::OggPlayer& player = *m_vPlayers[std::size_t(channel)];
  player.Reset();
  if (!player.Open(ResolveGamePath(path), damage)) {
    m_nCurrent = -1;
    return 0;
  }
  if (volume < 100) player.SetVolume(float(volume) * 0.01f);
  player.SetLoopCount(loop ? platform::OggPlayer::kEndless : 0);
  player.Play();
  m_nCurrent = channel;
  return 1;
}

void cVoxPlayer::Stop() {
  if (m_nCurrent >= 0 && m_nCurrent < Count()) m_vPlayers[std::size_t(m_nCurrent)]->Stop();
}

void cVoxPlayer::Release() {
  m_vPlayers.clear();
  m_nCurrent = -1;
}
