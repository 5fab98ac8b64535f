#pragma once
// The main game object: one scene per game state, created when its state is
// first run and (unless the scenes are kept) deleted when another state runs,
// and the frame step that the game thread calls once per pass.
//
// The scenes themselves belong to the screens and the stage runtime, which
// sit above the shell: they hand the shell a factory per state. A state
// without a factory yet draws a cleared frame.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "shell/game/scene.h"

enum GameState : int { GS_TITLE = 0, GS_WORLDMAP = 1, GS_MAPMENU = 2, GS_CHALLENGE = 3, GS_STAGE = 4, GS_OPTION = 5 };
inline constexpr int kGameStateCount = 6;
enum PlayMode : int { PM_STORY = 0, PM_CHALLENGE = 1, PM_FREE = 2, PM_REPLAY = 3 };
enum TitleCommand : int { TC_NEWGAME = 0, TC_FREEPLAY = 3, TC_REPLAY = 4, TC_QUIT = 6 };

// Makes the scene of a state; null when it could not be made.
using SceneFactory = std::function<std::unique_ptr<cScene>()>;
void SetSceneFactory(int state, SceneFactory factory);

class cGame {
 public:
  cGame() = default;
  cGame(const cGame&) = delete;
  cGame& operator=(const cGame&) = delete;

  // Deletes the six scenes.
  void Release();
  // No scenes and every member 0, as the object is made: a start-up begins
  // at the title.
  void Reset();
  // One frame: 1 to go on, 0 to end the game thread (which closes the window).
  int Frame();
  // Drops the scenes of the other states (unless kept) and makes the scene
  // of `state` when it does not exist.
  void SwitchScene(int state);
  // Asks the window thread for a screen's music (slot 0 title .. 4 stage) and
  // waits for it; a kept request of the music already kept is not repeated.
  void RequestBgm(int bgmNo, int keep, int slot);

  // The scene of a state; null while it does not exist.
  cScene* Scene(int state) const;

  // Written by the game thread's scenes, read by the window thread's close path.
  std::atomic<int> m_nState{GS_TITLE};
  int m_nNextState = 0;
  int m_nPrevState = 0;
  int m_nTitleCmd = 0;
  int m_nPlayMode = 0;
  int m_bKeepScenes = 0;
  int m_nChallenge1 = 0;
  int m_nChallenge2 = 0;
  int m_bRanking = 0;
  int m_nFps = 0;
  int m_nFadeSpeed = 0;
  int m_nBgmNo = 0;
  int m_bBgmKeep = 0;

 private:
  void DeleteScene(int state);

  std::array<std::unique_ptr<cScene>, kGameStateCount> m_Scenes;
};

extern cGame g_Game;

// The running stage-play scene; null while none exists (it is cleared when
// the scene is deleted).
extern std::atomic<cStageSceneBase*> g_pStageScene;

// Counters of the frame step: frames stepped, the last frame's working time
// in ms, and the 16-frame mean of the working time shown by the overlay.
extern std::atomic<std::uint32_t> g_dwFrameCount;  // read by the close path
extern std::uint32_t g_dwFrameTime;
extern std::uint32_t g_dwFrameTimeMean;
