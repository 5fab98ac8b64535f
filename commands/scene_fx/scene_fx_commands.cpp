#include "commands/scene_fx/scene_fx_commands.h"

#include <algorithm>
#include <array>
#include <climits>

#include "commands/dispatch/command_params.h"
#include "definitions/command_record.h"
#include "definitions/stage/stage_record.h"
#include "project/global_data.h"
#include "sound/waves/sound_requests.h"
#include "stage/chara/chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/chara/hero.h"
#include "stage/core/data_index.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_sinks.h"
#include "stage/draw/stage_drawing.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr int kBlockDots = 32;

enum EffectPlacement : int { kScreenCentre = 0, kOwnCentre = 1, kHeroCentre = 2, kScreenPos = 3, kStagePos = 4 };
enum LayerChange : int { kShowLayer = 0, kHideLayer = 1, kToggleLayer = 2 };

// Fills the scene's wait record for a wait of `frames` frames and runs the
// modal sub-loop until it has passed.
void WaitFrames(cStageScene& scene, int frames) {
  scene.m_nWaitMode = 0;
  scene.m_nWaitLeading = 0;
  scene.m_bWaitForDecide = 0;
  scene.m_nWaitFrames = frames;
  thPause(scene);
}

// The centre of a character's drawn cell in stage dots.
void StageCentre(const cChara& chara, double& x, double& y) {
  x = TruncToInt(chara.x) - chara.graphicOffsetX + (chara.drawWidth >> 1);
  y = TruncToInt(chara.y) - chara.graphicOffsetY + (chara.drawHeight >> 1);
}

// How many frames the effect animation runs before its end code.
int EffectFrames(const cStageEffect& effect) {
  if (effect.number == 0) return 0;
  long long frames = 0;
  for (const PATTERNENTRY& entry : g_EffectFrameTable[effect.number]) {
    if (entry.nCode < 0) break;
    frames += std::max(entry.nDuration, 0);
  }
  return static_cast<int>(std::min<long long>(frames, INT_MAX));
}

}  // namespace

void GameWait(cChara&, const cEdCmd& command) {
  const long long frames = CmdParam(command, 0) * 6LL;
  if (cStageScene* scene = StageScene())
    WaitFrames(*scene, static_cast<int>(std::clamp<long long>(frames, INT_MIN, INT_MAX)));
}

void RunEffect(cChara& chara, const cEdCmd& command) {
  cStageScene* scene = StageScene();
  if (scene == nullptr) return;
  cStageEffect effect(CmdParam(command, 0), 0.0, 0.0, CmdParam(command, 6));
  if (effect.number == 0) return;
  const double scrollX = g_StageSpace.scrollX.position, scrollY = g_StageSpace.scrollY.position;
  const double offsetX = CmdParam(command, 4), offsetY = CmdParam(command, 5);
  const int blockX = CmdParam(command, 2), blockY = CmdParam(command, 3);
  double cx = scrollX + 320, cy = scrollY + 240;  // a centre for placements 0 to 2
  switch (CmdParam(command, 1)) {
    case kScreenCentre: break;
    case kOwnCentre: StageCentre(chara, cx, cy); break;
    case kHeroCentre:
      if (const cHero* hero = PlayerHero()) StageCentre(*hero, cx, cy);
      break;
    case kScreenPos: cx = blockX * kBlockDots + scrollX; cy = blockY * kBlockDots + scrollY; break;
    case kStagePos:
      cx = (g_StageSpace.blockOffsetX + blockX) * kBlockDots;
      cy = (g_StageSpace.blockOffsetY + blockY) * kBlockDots;
      break;
    default: return;
  }
  // A centre loses half the effect's size; a position is the top-left.
  const bool centred = CmdParam(command, 1) <= kHeroCentre;
  effect.x = cx - (centred ? effect.width / 2 : 0) + offsetX;
  effect.y = cy - (centred ? effect.height / 2 : 0) + offsetY;
  const int frames = EffectFrames(effect);
  scene->m_Draw.stageEffects.push_back(std::move(effect));
  WaitFrames(*scene, frames);
}

void StartScreenEffectCmd(cChara&, const cEdCmd& command) {
  if (cStageScene* scene = StageScene())
    StartSceneScreenEffect(*scene, CmdParam(command, 0), CmdParam(command, 1), CmdParam(command, 2));
}

void SetScreenColor(cChara&, const cEdCmd& command) {
  cStageScene* scene = StageScene();
  if (scene == nullptr) return;
  std::array<std::int32_t, 8> params{};
  for (std::size_t i = 0; i < params.size(); ++i) params[i] = CmdParam(command, static_cast<int>(i));
  StartSceneScreenColor(*scene, params);
}

void ChangeBackground(cChara&, const cEdCmd& command) {
  const int layer = CmdParam(command, 0);
  auto& layers = g_PlayStage.m_vBackground;
  if (!DataIndexOk(layer - 1, layers.size(), 4)) return;
  std::uint32_t& show = layers[layer - 1].Show;
  switch (CmdParam(command, 1)) {
    case kShowLayer: show = 1; break;
    case kHideLayer: show = 0; break;
    case kToggleLayer: show = show ? 0 : 1; break;
    default: break;
  }
}

void PlayCmdSound(cChara& chara, const cEdCmd& command) {
  const int n = CmdParam(command, 0);
  if (n == 0 || (command.m_bHeroOnlySound && !chara.IsHero())) return;
  if (!g_Database.IsStarted() || !DataIndexOk(n, g_Database->m_vSound.size(), 4)) return;
  RequestStageSound(kSystemSoundCount + n);
}

void PlayCmdBgm(cChara&, const cEdCmd& command) {
  const int n = CmdParam(command, 0);
  if (!g_Database.IsStarted() || !DataIndexOk(n, g_Database->m_vBgm.size(), 4)) return;
  RequestStageMusic(n, CmdParam(command, 1));
}
