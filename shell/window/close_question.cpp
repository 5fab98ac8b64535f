#include "shell/window/close_question.h"

#include <atomic>
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
// The close under way was a failure's that no one was asked about.
bool g_closedByFailureUnasked = false;

// The game state where the last failure raised its close, and where the
// player last asked to close, until a close of that kind takes it; -1 when
// none waits.
std::atomic<int> g_failurePlace{-1};
std::atomic<int> g_playerClosePlace{-1};

std::atomic<int>& PlaceOf(platform::CloseReason reason) {
  return reason == platform::CloseReason::Fatal ? g_failurePlace : g_playerClosePlace;
}

void NoteWhereACloseIsRaised(platform::CloseReason reason) { PlaceOf(reason).store(g_Game.m_nState.load()); }

// The state a close is asked about in: where it was raised, since the step
// under way may have gone on to the title before the close is taken (a stage
// left for it whose start-over failed, the window's close button clicked in
// that failure's box).
int StateOfTheClose(platform::CloseReason reason) {
  const int place = PlaceOf(reason).exchange(-1);
  return place >= 0 ? place : g_Game.m_nState.load();
}

bool AsksIn(int state) { return !g_bDirectStage && !g_bFromEditor && g_bWindowed && state != GS_TITLE; }

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
  if (reason == platform::CloseReason::Terminate || g_bClosing.load()) return true;
  if (!AsksIn(StateOfTheClose(reason))) {
    g_closedByFailureUnasked = reason == platform::CloseReason::Fatal;
    return true;
  }
  const std::uint32_t frame = g_dwFrameCount.load();
  if (DeclinedFailureGoesOn(frame)) {
    // The player's close taken meanwhile does not end the failure either.
    g_declinedFailureFrame = frame;
    if (reason == platform::CloseReason::Fatal) return false;
  }
  if (PlayerWantsToQuit()) return true;
  // The No answers every close that waited with this one (those raised
  // again after a box, those raised while the question was open).
  const bool failureDeclined = platform::DeclineWaitingCloses();
  g_playerClosePlace.store(-1);
  if (failureDeclined) g_failurePlace.store(-1);
  if (reason == platform::CloseReason::Fatal || failureDeclined) g_declinedFailureFrame = g_dwFrameCount.load();
  return false;
}

int CloseExitStatus() { return g_closedByFailureUnasked ? 1 : 0; }

void ResetCloseState() {
  g_bClosing.store(0);
  g_declinedFailureFrame.reset();
  g_closedByFailureUnasked = false;
  g_failurePlace.store(-1);
  g_playerClosePlace.store(-1);
  platform::SetCloseRaisedHook(NoteWhereACloseIsRaised);
}
