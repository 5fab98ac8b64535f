#pragma once
// The challenge screen (game state 3), reached from the title: the list of
// challenge stages that are open (numbered stage files c01-1, c02-1, ...),
// each with its cleared mark and best value, and the ranking window of the
// stage under the cursor. Deciding loads the stage and starts it; the row
// and the scroll position are kept for the return.
//
// Phases: 0 fade-in, 1 select, 2 leave.

#include <string>

#include "graphics/surfaces/surface.h"
#include "screens/common/screen_scene.h"

class cChallengeScene : public cScreenScene {
 public:
  enum ChallengePhase : int { kFadeIn = 0, kSelect = 1, kLeave = 2 };

  cChallengeScene();
  ~cChallengeScene() override;

  void Start() override;
  void FadeIn() override;
  void Leave() override;

  int Total() const { return m_nTotal; }
  int Rows() const { return m_nRows; }
  int Top() const { return m_nTop; }

 private:
  void SelectPhase();
  void UpdateChallengeRange();
  void AnnounceChallengeStage(int stage);
  void DrawChallengeSurface();
  void DrawChallengeScreen();
  bool StartChosenStage(int row);

  int m_nTop = 0;
  int m_nTotal = 0;
  int m_nRows = 0;
  DDSURFACEDATA m_Surface;
  bool m_bSurface = false;
};

// "data\stg4\c" + the stage number (from 1) as two digits + "-1.stg4".
std::string ChallengeStageFile(int stage);
