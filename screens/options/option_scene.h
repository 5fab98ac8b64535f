#pragma once
// The options screen (game state 5), reached from the title: the player's
// options (colour variant, music, sound volume, ranking registration mode
// and name) listed with their values; an item is chosen, then its value
// stepped up or down (wrapping) and taken or given back. Changes work at
// once; leaving writes the options file and returns to the title, starting
// or stopping the music as the music option now says.
//
// Phases: 0 fade-in, 1 options (sub-phase 1 choosing, 2 editing), 2 leave.

#include <vector>

#include "graphics/surfaces/surface.h"
#include "screens/common/screen_scene.h"

class cOptionScene : public cScreenScene {
 public:
  enum OptionPhase : int { kFadeIn = 0, kOptions = 1, kLeave = 2 };
  enum OptionSubPhase : int { kEnter = 0, kChoose = 1, kEdit = 2 };

  cOptionScene();
  ~cOptionScene() override;

  void Start() override;
  void FadeIn() override;
  void Leave() override;

  const std::vector<int>& Items() const { return m_anItem; }

 private:
  void OptionPhase();
  void Choose();
  void Edit();
  void SetValue(int value);
  void DrawOptionSurface();
  void DrawOptionScreen();

  std::vector<int> m_anItem;
  int m_nItem = 0;
  int m_nOldValue = 0;
  DDSURFACEDATA m_Surface;
  bool m_bSurface = false;
};

// Starts the title music player when music was switched on, or releases it
// when switched off, so the next screen's music request plays as it should.
void RestartTitleMusic();
