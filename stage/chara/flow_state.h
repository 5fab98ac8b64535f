#pragma once
// The run-time state of one flow of a character: which flow it is, whether it
// runs, and the marks that the trigger check and the key-input conditions
// keep between sub-steps. The flow runtime steps its commands; the stage
// starts it when its trigger fires and its conditions hold.

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

class cEdCmd;
class cEdFlow;

// One queued parameter binding ("アレンジ"): the command kind it is for, the
// parameter's index in that kind's parameter list, the operator, the
// variable source (0 common, 1 stage, 2 the character's) and its index.
struct cArrange {
  std::int32_t kind = 0;
  std::int32_t param = 0;
  std::int32_t op = 0;
  std::int32_t source = 0;
  std::int32_t index = 0;
  bool operator==(const cArrange&) const = default;
};

// One entry of a running flow: its command, whether it finished in this run
// of the flow, how many sub-steps it lasts and has left (0: not started), the
// movement values fixed at installation, and the scratch of its executor.
struct cCmdState {
  cEdCmd* cmd = nullptr;  // bindings change the character's copy of it
  std::int32_t done = 0;
  std::int32_t duration = 0;
  std::int32_t remaining = 0;
  std::uint8_t moveType = 0;
  double moveSpeed = 0;
  double topSpeed = 0;
  std::int32_t stepCount = 0;
  std::int32_t started = 0;
  std::int32_t work[4] = {};
  double motion[4] = {};  // per-kind set-up of the movement commands
  // Movement commands: the velocity the entry gives (an acceleration with the
  // record's option), the facing it asks for (1 left, 2 right), the target
  // offset, the facing at the last step, the circle's set-up and phases, the
  // homing lag and the target positions it still has to follow.
  double velX = 0, velY = 0;
  std::int32_t facingRequest = 0;
  double offsetX = 0, offsetY = 0;
  std::int32_t lastFacing = -1;
  std::int32_t circlePeriod = 0;  // 16 x L x period; 0: the circle does not move
  std::int32_t circleSense = 0;   // 2 or 3
  double circleStart = 0, circleEnd = 0, circleSpeed = 0;
  double phaseX = 0, phaseY = 0;
  std::int32_t homingDelay = 0;
  std::deque<std::pair<double, double>> homingQueue;
};

// An animation that starts some steps ahead of its command so that it ends
// as the command begins: the flow's step count to start at, the animation,
// the frames of it that lie before the flow's start (skipped), the frames to
// play, the command's time in frames and whether its first held frame is
// stretched by that time.
struct cAnimSchedule {
  std::int32_t startStep = 0;
  std::int32_t startStepCopy = 0;
  std::uint16_t anime = 0;
  std::int16_t headStart = 0;
  std::int16_t framesToPlay = 0;
  std::int16_t commandTime = 0;
  std::int32_t holdStretch = 1;
  bool operator==(const cAnimSchedule&) const = default;
};

struct cFlowState {
  std::int32_t index = 0;
  std::int32_t serial = -1;  // -1 until installed
  const cEdFlow* flow = nullptr;
  std::vector<cCmdState> entries;
  std::vector<cAnimSchedule> animeSchedule;
  std::int32_t progress = 0;
  std::int32_t stepCount = 0;
  std::int32_t messageOpen = 0;
  std::int32_t stopThisStep = 0;
  std::int32_t condLatch = 0;  // the conditions held once
  std::int32_t active = 0;
  std::int32_t paused = 0;
  std::int32_t stoppedForGood = 0;
  std::int32_t triggeredThisStep = 0;
  std::int32_t startedThisStep = 0;
  std::int32_t inputSlot = 0;
  std::int32_t removePending = 0;
  std::uint8_t keyLatchA = 0;  // hold mode: the sequence matched at the last check
  std::uint8_t keyLatchB = 0;  // the keys are still held since the last match
  double motion[2] = {0, 0};   // the running movement command's motion
  std::vector<cArrange> arranges;  // bindings for the next command that starts
};
