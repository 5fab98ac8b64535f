#pragma once
// The Ogg side of the BGM player: one streaming Ogg player per channel and
// the channel that plays now.

#include <memory>
#include <string>
#include <vector>

#include "platform/audio/ogg_player.h"

class cVoxPlayer {
 public:
  // Makes `count` players (the old ones go).
  int Create(int count);
  // Plays the file at `path` (a stored path) on `channel`, looping or once,
  // at `volume` 0..100. 0 when the path is empty or the file does not open;
  // `damage` then says what is wrong with a file that is there but is no
  // playable Ogg Vorbis file (see platform::OggPlayer::Open).
  int Play(int channel, const std::string& path, int loop, int volume, std::string* damage = nullptr);
  // Stops the channel that plays.
  void Stop();
  void Release();

  int Count() const { return int(m_vPlayers.size()); }
  int CurrentChannel() const { return m_nCurrent; }

 private:
  std::vector<std::unique_ptr<platform::OggPlayer>> m_vPlayers;
  int m_nCurrent = -1;
};
