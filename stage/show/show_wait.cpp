#include "stage/show/show_wait.h"

#include "stage/scene/stage_scene.h"
#include "stage/show/message_record.h"

void WaitWhileShown(cStageScene& scene, int mode, int duration, int frames, int leading) {
  if (duration == kShowUntilKey) {
    scene.m_nWaitMode = mode;
    scene.m_nWaitLeading = leading;
    scene.m_bWaitForDecide = 1;
    scene.m_nWaitFrames = 0;
  } else if (duration == kShowTimed) {
    scene.m_nWaitMode = mode;
    scene.m_nWaitLeading = 0;
    scene.m_bWaitForDecide = 0;
    scene.m_nWaitFrames = frames;
  }
  thPause(scene);
}

void ClearWaitRecord(cStageScene& scene) {
  scene.m_nWaitMode = scene.m_nWaitLeading = scene.m_bWaitForDecide = scene.m_nWaitFrames = 0;
}
