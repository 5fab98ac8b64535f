#include "shell/game/scene.h"

#include "shell/game/game.h"

void cScene::Run() {
  if (m_nPhase >= 0 && static_cast<std::size_t>(m_nPhase) < m_vPhases.size() && m_vPhases[m_nPhase])
    m_vPhases[m_nPhase]();
}

void cScene::Leave() {
  g_Game.m_nPrevState = m_nSceneState;
  g_Game.m_nState = g_Game.m_nNextState;
}

cStageSceneBase::cStageSceneBase() : cScene(GS_STAGE) {}
