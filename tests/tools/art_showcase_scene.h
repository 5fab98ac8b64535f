#pragma once
// A scene for the integration tests only: until the game's own screens
// exist, it puts the sample game's pictures on the screen through the
// player's bitmap table, blits and fonts, so that a headless screenshot shows
// the art as each drawing mode draws it.

#include "shell/game/scene.h"

class cArtShowcaseScene : public cScene {
 public:
  explicit cArtShowcaseScene(int state);
  void Run() override;

 private:
  bool m_bLoaded = false;
  bool m_bFailed = false;
  int m_nFrame = 0;
};
