#pragma once
// Builders of the movement tests: timed character commands, moves with a
// direction and speed, and always-flows that run them.

#include <algorithm>
#include <initializer_list>

#include "definitions/flow_record.h"
#include "definitions/param_table.h"

namespace move_builders {

inline cEdCmd Command(int kind, int tenths) {
  cEdCmd command;
  command.m_nKind = static_cast<std::uint8_t>(kind);
  command.m_vParams.assign(static_cast<std::size_t>(std::max(CmdParamCount(kFamilyChara, kind), 0)), 0);
  command.m_nTime = static_cast<std::int16_t>(tenths);
  return command;
}

// A move of `kind` lasting `tenths` at `speed` tenths of a dot per frame.
inline cEdCmd Move(int kind, int tenths, int direction, int speed) {
  cEdCmd command = Command(kind, tenths);
  cEdMove& move = command.m_Move.Emplace();
  move.m_nDirection = static_cast<std::uint8_t>(direction);
  move.m_nSpeed = static_cast<std::int16_t>(speed);
  move.m_nMoveAnime = 2;
  return command;
}

inline cEdFlow Flow(std::initializer_list<cEdCmd> commands) {
  cEdFlow flow;
  flow.m_nTrigger = kTriggerAlways;
  flow.m_vCmds = commands;
  return flow;
}

}  // namespace move_builders
