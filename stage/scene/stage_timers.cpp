// The play timer and the time limit. The limit counts whole seconds of 60
// frames whatever the stage's frame rate; play time is kept in hundredths of
// a second and stops at 99 minutes 59.99 seconds.
#include "shell/game/timers.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr std::int32_t kMaxPlayTime = 599999;
constexpr std::int32_t kMaxTimeLeft = 999;
constexpr int kFramesPerSecond = 60;

}  // namespace

void CountPlayTime(cStageScene& scene) {
  if (scene.m_nPlayTime >= kMaxPlayTime) return;
  ++scene.m_nPlayFrames;
  const std::int64_t hundredths = std::int64_t{scene.m_nPlayFrames} * 100 / kFramesPerSecond;
  scene.m_nPlayTime = static_cast<std::int32_t>(hundredths < kMaxPlayTime ? hundredths : kMaxPlayTime);
}

int CountTimeLimit(cStageScene& scene, int step) {
  if (scene.m_bTimeStopped) return 0;
  if (FrameSkipCount(1, kFramesPerSecond) != 1) return 0;
  const std::int64_t left = std::int64_t{scene.m_nTimeLeft} + step;
  if (left > kMaxTimeLeft) {
    scene.m_nTimeLeft = kMaxTimeLeft;
    return 0;
  }
  if (left < 1) {
    scene.m_nTimeLeft = 0;
    return 1;
  }
  scene.m_nTimeLeft = static_cast<std::int32_t>(left);
  return 0;
}
