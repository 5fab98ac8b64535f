// A rider moves with the block character it stands on: before its own
// move, its velocity takes the carrier's displacement since the carrier's
// box was last registered, and the carrier's riding triggers fire.
#include "definitions/flow_record.h"
#include "stage/chara/chara.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "stage/scene/stage_hooks.h"

void CarryRider(cChara& rider) {
  // A rider that stopped riding keeps the old carrier's number, which must
  // not pull it along any more.
  if (rider.moveA != 0 || !rider.carried) return;
  cStageChara* carrier = g_CharaList.Find([&](const cStageChara& c) { return c.number == rider.riddenId; });
  if (carrier == nullptr) return;
  rider.vx += carrier->x - rider.carrierX;
  const bool standsStill = carrier->moveA == 0 && !carrier->falling;
  if (!(g_StageRules.noVerticalCarry && standsStill)) rider.vy = carrier->y - rider.carrierY;
  if (rider.op == 0) carrier->RunTriggeredFlows(kTriggerRiddenByHero, &rider, 0);
  carrier->RunTriggeredFlows(kTriggerRiddenByChara, &rider, 0);
}
