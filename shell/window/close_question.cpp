#include "shell/window/close_question.h"

#include <cstdint>
#include <optional>

#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/init/system_ini.h"
#include "shell/subsystems/subsystem_steps.h"
#include "shell/worker_threads.h"

namespace {

// The frame of the last close of a failure the player chose to play on
// through; empty when there is none. Main thread only.
std::optional<std::uint32_t> g_declinedFailureFrame;

bool AsksHere() {
  return !g_bDirectStage && !g_bFromEditor && g_bWindowed && g_Game.m_nState != GS_TITLE;
}

// A close taken in the frame after the last one of a declined failure (or
// in the same frame): that failure is still raising closes.
bool DeclinedFailureGoesOn(std::uint32_t frame) {
  return g_declinedFailureFrame && frame - *g_declinedFailureFrame <= 1;
}

bool PlayerWantsToQuit() {
  const platform::FailureClosesHeld held;
  SuspendThreads();
  const bool quit = ConfirmExitStep(g_SystemIni.English);
  ResumeThreads();
  return quit;
}

}  // namespace

bool ConfirmClose(platform::CloseReason reason) {
  if (reason == platform::CloseReason::Terminate || g_bClosing.load() || !AsksHere()) return true;
  const std::uint32_t frame = g_dwFrameCount.load();
  if (DeclinedFailureGoesOn(frame)) {
    // The player's close taken meanwhile does not end the failure either.
    g_declinedFailureFrame = frame;
    if (reason == platform::CloseReason::Fatal) return false;
  }
  if (PlayerWantsToQuit()) return true;
  if (reason == platform::CloseReason::Fatal) g_declinedFailureFrame = g_dwFrameCount.load();
  return false;
}

void ResetCloseState() {
  g_bClosing.store(0);
  g_declinedFailureFrame.reset();
}
