#pragma once
// The base of every screen. A scene runs one phase handler per frame
// (opening, fading in, the screen's own work, leaving); it changes the game
// state through Leave, and the frame step switches to the new state's scene
// on the next frame.

#include <atomic>
#include <functional>
#include <vector>

class cScene {
 public:
  explicit cScene(int state) : m_nSceneState(state) {}
  virtual ~cScene() = default;
  cScene(const cScene&) = delete;
  cScene& operator=(const cScene&) = delete;

  // Once per frame: the handler of the current phase (nothing when the
  // phase has no handler).
  virtual void Run();
  virtual void Start() {}
  virtual void FadeIn() {}
  // The game's previous state becomes this scene's, the current state the
  // one the scene asked for (m_nNextState).
  virtual void Leave();

  int SceneState() const { return m_nSceneState; }

 protected:
  int m_nPhase = 0;
  std::vector<std::function<void()>> m_vPhases;

 private:
  int m_nSceneState;
};

// The stage-play scene's part that the shell touches: the frame step writes
// the frames counted in the last second, and a close while the stage is held
// by its modal loop (a message, a game wait, an effect) sets the quit flag,
// after which the loop ends and the stage raises the close again.
class cStageSceneBase : public cScene {
 public:
  cStageSceneBase();
  int m_nFrameRate = 0;
  std::atomic<int> m_bQuit{0};
  std::atomic<int> m_bHeld{0};  // 1 while the modal loop runs
};
