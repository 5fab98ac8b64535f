#pragma once
// Commands made by hand for the command tests: a character or item command
// of a kind with its parameter list sized as the kind keeps it, and given
// parameters set.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "definitions/command_kinds.h"
#include "definitions/command_record.h"

inline cEdCmd MakeCmd(int family, int kind, std::initializer_list<std::pair<int, std::int32_t>> params = {}) {
  cEdCmd command;
  command.m_nFamily = static_cast<std::uint8_t>(family);
  command.m_nKind = static_cast<std::uint8_t>(kind);
  command.m_vParams.assign(static_cast<std::size_t>(std::max(CmdParamCount(family, kind), 0)), 0);
  for (const auto& [index, value] : params) command.m_vParams[index] = value;
  return command;
}

inline cEdCmd CharaCmd(int kind, std::initializer_list<std::pair<int, std::int32_t>> params = {}) {
  return MakeCmd(kFamilyChara, kind, params);
}

// The item command of a character kind (kinds 17..39), or of "フローの変更".
inline cEdCmd ItemCmd(int itemKind, std::initializer_list<std::pair<int, std::int32_t>> params = {}) {
  return MakeCmd(kFamilyItem, itemKind, params);
}
