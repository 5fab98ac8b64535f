#pragma once
// The title screen (game state 0): the title picture with the title menu,
// and the save-slot lists of a new story game and of continuing one.
// Choosing a command sets the play mode, whether the mode ranks, and the
// command of g_Game, prepares the progress of the play (g_SaveData) and
// leaves for the command's state: the world map, the challenge screen, a
// stage (free play, replay) or the options. Quit closes the window.
//
// Phases: 0 fade-in, 1 menu, 2 new game's slots, 3 continue's slots, 4 leave.

#include <vector>

#include "screens/common/screen_scene.h"
#include "screens/title/title_menu_box.h"

enum TitleCommandNumber : int {
  kTitleNewGame = 0,
  kTitleContinue = 1,
  kTitleChallenge = 2,
  kTitleFree = 3,
  kTitleReplay = 4,
  kTitleOption = 5,
  kTitleQuit = 6,
  kTitleCommandCount = 7,
};

class cTitleScene : public cScreenScene {
 public:
  enum TitlePhase : int { kFadeIn = 0, kMenu = 1, kNewGame = 2, kContinue = 3, kLeave = 4 };

  cTitleScene();

  void Start() override;
  void FadeIn() override;
  void Leave() override;

  const std::vector<int>& Commands() const { return m_anCmd; }
  int MenuX() const { return m_nMenuX; }
  const cTitleMenuBox& MenuBox() const { return m_Box; }

 private:
  void MenuPhase();
  // New game (phase 2) and continue (phase 3) over the save-slot list.
  void SlotPhase(bool newGame);
  void ChooseCommand(int command);
  void DrawTitle();
  void DrawSlotList();

  std::vector<int> m_anCmd;
  int m_nMenuX = 0;
  int m_nSlotTop = 0;
  int m_nSlotRows = 0;
  cTitleMenuBox m_Box;
};
