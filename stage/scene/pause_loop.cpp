// The modal sub-loop: while a command shows a message, waits or plays a
// screen effect, the game's own frame step stands still and this loop keeps
// the window alive with frames of its own, from a private copy of the
// input records (the game's records, and so the replay, are untouched).
// It ends when the wait record's count runs out or the decide button is
// newly pressed, and at once when the program is asked to close or the
// thread that runs it is ended. The loop runs inside the game thread's
// frame, where the close's WM_QUIT never arrives; the quit request that the
// close sets with it stands for that message. A hold that ends on the quit
// request raises the close again itself: whatever the frame does after it
// (a stage end, a scene switch), the close the player agreed to finishes.
#include "foundation/thread.h"
#include "input/key_polling.h"
#include "platform/main_thread.h"
#include "shell/game/frame_step.h"
#include "stage/core/stage_sinks.h"
#include "stage/scene/scene_resources.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"

bool cStageScene::PauseFrame(cInput& input, std::uint16_t previousButtons) {
  input.UpdateHistory();
  input.LatchButtons(0);
  if (CheckReplaySaveKeys()) return true;
  if (m_nWaitLeading > 0) {
    --m_nWaitLeading;
  } else if (!m_bWaitForDecide) {
    if (--m_nWaitFrames < 0) return false;
  } else if ((input.m_wButton & 1) && !(previousButtons & 1)) {
    RequestStageSound(m_nWaitMode == 1 ? 12 : 1);
    m_bSwallowButtons = 1;
    return false;
  }
  Draw(0, 1, 0, 1);
  return true;
}

int thPause(cStageScene& scene) {
  // Held before the quit flag is read: a close either sees the hold and
  // sets the flag, or ends the game thread, which ends this loop too.
  scene.m_bHeld.store(1);
  struct HoldEnd {
    cStageScene& scene;
    ~HoldEnd() {
      scene.m_bHeld.store(0);
      if (scene.m_bQuit.load()) PostCloseRequest();
    }
  } holdEnd{scene};
  if (scene.m_bQuit.load()) return 0;
  cVector<cInput> inputs = g_Inputs;
  if (inputs.empty()) inputs.resize(1);
  cInput& input = inputs[0];
  input.ClearHistory();
  input.ResetPressLogs();
  input.ClearDir();
  input.ClearButtons();
  for (;;) {
    // The hold may last until the player answers: a failure of the frame
    // that began it, or of its own last frame, and a close clicked in a box
    // either asked for, are asked about meanwhile.
    platform::RaiseClosesHeldByStep();
    if (cThread::StopRequested() || scene.m_bQuit.load()) break;
    WaitNextFrame();
    if (!RestoreLostSurfaces()) PostFailureClose();
    const std::uint16_t previousButtons = input.m_wButton;
    PollInput(inputs);
    if (!scene.PauseFrame(input, previousButtons)) break;
    PresentFrame();
  }
  return 1;
}
