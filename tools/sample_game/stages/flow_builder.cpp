#include "tools/sample_game/stages/flow_builder.h"

#include "definitions/command_kinds.h"

namespace sample_game {

cEdCmd Command(int kind, int tenths, std::initializer_list<std::int32_t> params) {
  cEdCmd command;
  command.m_nFamily = kFamilyChara;
  command.m_nKind = static_cast<std::uint8_t>(kind);
  command.m_nTime = static_cast<std::int16_t>(tenths);
  command.m_vParams.assign(static_cast<std::size_t>(CmdParamCount(kFamilyChara, kind)), 0);
  // The kind keeps as many parameters as its table gives; a longer list is a
  // slip in the cast's definitions, cut off here.
  std::size_t i = 0;
  for (std::int32_t value : params)
    if (i < command.m_vParams.size()) command.m_vParams[static_cast<long long>(i++)] = value;
  return command;
}

cEdCmd MoveCommand(int kind, int tenths, int speed, MoveWay way) {
  cEdCmd command = Command(kind, tenths);
  cEdMove& move = command.m_Move.Emplace();
  move.m_nSpeed = static_cast<std::int16_t>(speed);
  move.m_nDirection = static_cast<std::uint8_t>(way);
  move.m_bAngleMirror = 0;
  return command;
}

cEdCmd JumpCommand(int halfBlocks) {
  cEdCmd command = Command(kCmdJump, 1, {0, 0, halfBlocks, 0, 0});
  command.m_Move.Emplace();
  return command;
}

cEdCmd ShotCommand(int graphic, int count, int speed, int power, bool aimed) {
  cEdCmd command = Command(kCmdShot, 1);
  cEdShot& shot = command.m_Shot.Emplace();
  shot.m_nCount = static_cast<std::uint8_t>(count);
  shot.m_nGraphic = static_cast<std::uint16_t>(graphic);
  shot.m_bAim = aimed ? 1 : 0;
  shot.m_nSpeed = static_cast<std::int16_t>(speed);
  shot.m_nPower = power;
  shot.m_bOwnerFaction = 1;
  shot.m_nSpread = count > 1 ? 20 : 0;
  return command;
}

cEdCmd SummonCommand(int kind, int index) {
  cEdCmd command = Command(kind, 1);
  cEdShot& shot = command.m_Shot.Emplace();
  shot.m_nSummonPalette = 0;
  shot.m_nSummonIndex = static_cast<std::uint16_t>(index);
  return command;
}

cEdCmd ItemCommand(cEdCmd command) {
  command.m_nKind = static_cast<std::uint8_t>(ItemKindOfChara(command.m_nKind));
  command.m_nFamily = kFamilyItem;
  return command;
}

cEdFlow Flow(FlowTrigger trigger, std::initializer_list<cEdCmd> commands) {
  cEdFlow flow;
  flow.m_nTrigger = trigger;
  for (const cEdCmd& command : commands) flow.m_vCmds.push_back(command);
  return flow;
}

cEdFlow KeyFlow(FlowKey key, bool facingRelative, std::initializer_list<cEdCmd> commands) {
  cEdFlow flow = Flow(kTriggerAlways, commands);
  cKeyStep step;
  step.SetDefaults();
  step.m_vKeys[key] = kKeyPressed;
  step.m_bAnyHold = 1;
  step.m_bFacingRelative = facingRelative ? 1 : 0;
  flow.m_vKeySteps.push_back(step);
  flow.m_bKeyHold = 1;  // the flow goes on while the key stays held
  return flow;
}

}  // namespace sample_game
