#include "commands/world/warp.h"

#include "commands/movement/move_velocity.h"
#include "commands/movement/straight_start.h"
#include "definitions/command_record.h"
#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/current_actor.h"

namespace {

constexpr double kHalfBlockDots = 16.0;

// A warp measures the drawn cell's centre in stage dots, from its left and
// top edges.
void PlacedCentre(const cChara& chara, double& x, double& y) {
  x = TruncToInt(chara.x) - chara.graphicOffsetX + (chara.drawWidth >> 1);
  y = TruncToInt(chara.y) - chara.graphicOffsetY + (chara.drawHeight >> 1);
}

// Moves the position by the distance from `centre` to `target`, in the
// direction the sign gives.
void MoveCentre(double& position, double centre, double target) {
  if (centre >= target) position -= centre - target;
  else position += target - centre;
}

// Places the drawn cell's centre on (x, y) in stage dots, kept on the stage.
void PlaceCentre(cChara& chara, double x, double y) {
  double centreX = 0, centreY = 0;
  PlacedCentre(chara, centreX, centreY);
  MoveCentre(chara.x, centreX, x);
  chara.ClampX();
  MoveCentre(chara.y, centreY, y);
  chara.ClampY();
}

int InputSlot() { return g_CurrentActor.flow != nullptr ? g_CurrentActor.flow->inputSlot : 0; }

// A warp may go up and down from any base, unless the project keeps the old
// rule: then only a base that moves vertically allows it.
bool AllowsVertical(const cChara& base) { return !g_StageRules.warpVerticalByMover || base.Floats(); }

}  // namespace

void Warp(cChara& chara, const cEdCmd& command) {
  if (!command.m_Move) return;
  const cEdMove& move = *command.m_Move;
  const int base = move.m_nWarpMode;
  double x = 0, y = 0;
  if (base == kWarpToTargetPoint) {
    cCmdState entry;
    PrepareAngleAndOffset(chara, entry, move);
    TargetPoint(chara, entry, move.m_nTargetBase, x, y);
    x += g_StageSpace.scrollX.position;
    y += g_StageSpace.scrollY.position;
  } else {
    const cChara* from = &chara;
    if (base >= kWarpFromTarget1 && base <= kWarpFromTarget4) from = chara.targets[static_cast<std::size_t>(base - 1)];
    else if (base != kWarpFromSelf) return;
    if (from == nullptr) return;
    PlacedCentre(*from, x, y);
    const double distance =
        (move.m_nDistance + static_cast<double>(move.m_nDistanceStep) * chara.cloneValue) * kHalfBlockDots;
    const bool vertical = AllowsVertical(*from);
    double dx = 0, dy = 0;
    DirectionStep(ResolveMoveCode(chara, move.m_nDirection, InputSlot(), vertical), distance, dx, dy);
    x += dx;
    if (vertical) y += dy;
  }
  chara.pushLeft = chara.pushRight = 0;
  PlaceCentre(chara, x, y);
}
