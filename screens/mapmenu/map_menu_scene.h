#pragma once
// The world map's menu (game state 2), opened with cancel on the map: save
// into a story slot (with a confirmation), switch auto-save on or off, go
// back to the map, or back to the title after a confirmation. The total
// score stands below the menu.
//
// Phases: 0 fade-in, 1 menu, 2 save, 3 auto-save, 4 back, 5 to title,
// 6 leave; the phase of command n is n + 2.

#include <vector>

#include "screens/common/screen_scene.h"

class cMapMenuScene : public cScreenScene {
 public:
  enum MapMenuPhase : int { kFadeIn = 0, kMenu = 1, kSave = 2, kAutoSave = 3, kBack = 4, kTitle = 5, kLeave = 6 };
  static constexpr int kCommandCount = 4;

  cMapMenuScene();

  void Start() override;
  void FadeIn() override;
  void Leave() override;

  const std::vector<int>& Commands() const { return m_anCmd; }

 private:
  void MenuPhase();
  void SavePhase();
  void ConfirmSave();
  void AutoSavePhase();
  void BackPhase();
  void TitlePhase();
  // What one frame of a yes/no question came to.
  enum class Answer { kPending, kYes, kNo, kCancelled };

  // One frame of the yes/no question under term `question` (yes first):
  // moves the cursor and, while nothing is chosen, draws the question.
  Answer AskYesNo(int question);
  // Back to the menu from a sub-menu.
  void BackToMenu();
  // The top cursor starts afresh on `row`.
  void ResetCursorToRow(int row);
  void DrawScreen();
  void DrawSlots();

  std::vector<int> m_anCmd;
  int m_nSlotTop = 0;
  int m_nSlotRows = 0;
};
