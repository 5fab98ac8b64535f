#include "screens/common/screen_scene.h"

#include "input/input_record.h"

cScreenScene::cScreenScene(int state, std::uint16_t latchMask) : cScene(state), m_wLatchMask(latchMask) {
  m_nPhase = kPhaseStart;
}

void cScreenScene::Run() {
  if (m_nPhase == kPhaseStart) {
    Start();
    m_nPhase = 0;
  }
  cInput& input = g_Inputs[0];
  input.RepeatDirKeys();
  input.LatchButtons(m_wLatchMask);
  cScene::Run();
}
