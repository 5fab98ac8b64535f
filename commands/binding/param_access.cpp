#include "commands/binding/param_access.h"

#include <array>
#include <initializer_list>

#include "stage/core/data_index.h"
#include "definitions/command_record.h"

std::int32_t ParamRef::Get() const {
  switch (width_) {
    case Width::U8: return *static_cast<std::uint8_t*>(ptr_);
    case Width::I8: return *static_cast<std::int8_t*>(ptr_);
    case Width::U16: return *static_cast<std::uint16_t*>(ptr_);
    case Width::I16: return *static_cast<std::int16_t*>(ptr_);
    case Width::I32: return *static_cast<std::int32_t*>(ptr_);
    case Width::None: break;
  }
  return 0;
}

void ParamRef::Set(std::int32_t value) const {
  const auto bits = static_cast<std::uint32_t>(value);
  switch (width_) {
    case Width::U8: *static_cast<std::uint8_t*>(ptr_) = static_cast<std::uint8_t>(bits); break;
    case Width::I8: *static_cast<std::int8_t*>(ptr_) = static_cast<std::int8_t>(bits); break;
    case Width::U16: *static_cast<std::uint16_t*>(ptr_) = static_cast<std::uint16_t>(bits); break;
    case Width::I16: *static_cast<std::int16_t*>(ptr_) = static_cast<std::int16_t>(bits); break;
    case Width::I32: *static_cast<std::int32_t*>(ptr_) = value; break;
    case Width::None: break;
  }
}

namespace {

using Accessor = ParamRef (*)(cEdCmd&, int);

// The small parameter whose number stands at `index` of `order`.
ParamRef SmallParam(cEdCmd& command, int index, std::initializer_list<int> order) {
  if (index < 0 || static_cast<std::size_t>(index) >= order.size()) return {};
  const int number = order.begin()[index];
  if (!DataIndexOk(number, command.m_vParams.size(), 4)) return {};
  return command.m_vParams[number];
}

// The straight, charge and homing moves share the target point; they differ
// in their two leading fields.
ParamRef MoveParam(cEdCmd& command, int index, bool homing) {
  if (command.m_Move.get() == nullptr) return {};
  cEdMove& move = *command.m_Move;
  switch (index) {
    case 0: return homing ? ParamRef(move.m_nHomingLag) : ParamRef(move.m_nTargetXBl);
    case 1: return homing ? ParamRef(move.m_nHomingLagStep) : ParamRef(move.m_nTargetXDot);
    case 2: return homing ? ParamRef(move.m_nTargetXBl) : ParamRef(move.m_nTargetYBl);
    case 3: return homing ? ParamRef(move.m_nTargetXDot) : ParamRef(move.m_nTargetYDot);
    case 4: return homing ? ParamRef(move.m_nTargetYBl) : ParamRef(move.m_nAngle);
    case 5: return homing ? ParamRef(move.m_nTargetYDot) : ParamRef(move.m_nAngleStep);
    default: return {};
  }
}

ParamRef StraightMove(cEdCmd& command, int index) { return MoveParam(command, index, false); }
ParamRef HomingMove(cEdCmd& command, int index) { return MoveParam(command, index, true); }
ParamRef Unchanged(cEdCmd&, int) { return {}; }

ParamRef Warp(cEdCmd& command, int index) {
  if (command.m_Move.get() == nullptr) return {};
  cEdMove& move = *command.m_Move;
  switch (index) {
    case 0: return move.m_nDistance;
    case 1: return move.m_nDistanceStep;
    case 2: return move.m_nTargetXBl;
    case 3: return move.m_nTargetYBl;
    case 4: return move.m_nTargetXDot;
    case 5: return move.m_nTargetYDot;
    default: return {};
  }
}

// The formation block that the shot and the three summons share: the three
// formation values, the count and the two offsets, from `first` on.
ParamRef FormationBlock(cEdShot& shot, int index) {
  switch (index) {
    case 0: case 1: case 2: return shot.m_anFormationParam[index];
    case 3: return shot.m_nCount;
    case 4: return shot.m_nShiftX;
    case 5: return shot.m_nShiftY;
    default: return {};
  }
}

ParamRef Shot(cEdCmd& command, int index) {
  if (command.m_Shot.get() == nullptr) return {};
  cEdShot& s = *command.m_Shot;
  switch (index) {
    case 0: return s.m_nGraphic;
    case 1: return s.m_nZ;
    case 2: case 3: case 4: return s.m_anFormationParam[index - 2];
    case 5: return s.m_nCount;
    case 6: return s.m_nClones;
    case 7: return s.m_nAngle;
    case 8: return s.m_nAngleStep;
    case 9: return s.m_nSpread;
    case 10: return s.m_nShiftX;
    case 11: return s.m_nShiftXStep;
    case 12: return s.m_nShiftY;
    case 13: return s.m_nShiftYStep;
    case 14: return s.m_nFaction;
    case 15: case 16: case 17: return s.m_anMoveParam[index - 15];
    case 18: return s.m_nSpeed;
    case 19: return s.m_nSpeedStep;
    case 20: return s.m_nAccel;
    case 21: return s.m_nAccelStep;
    case 22: return s.m_nRange;
    case 23: return s.m_nRangeStep;
    case 24: return s.m_nLifeTime;
    case 25: return s.m_nLifeTimeStep;
    case 26: return s.m_nVanishValue;
    case 27: return s.m_nPower;
    case 28: return s.m_nImpact;
    default: return {};
  }
}

ParamRef Sword(cEdCmd& command, int index) {
  if (command.m_Shot.get() == nullptr) return {};
  cEdShot& s = *command.m_Shot;
  switch (index) {
    case 0: return s.m_nFaction;
    case 1: return s.m_nZ;
    case 2: return s.m_nPower;
    case 3: return s.m_nImpact;
    default: return {};
  }
}

ParamRef SummonBlock(cEdCmd& command, int index) {
  if (command.m_Shot.get() == nullptr) return {};
  return FormationBlock(*command.m_Shot, index);
}

ParamRef SummonChara(cEdCmd& command, int index) {
  if (command.m_Shot.get() == nullptr) return {};
  cEdShot& s = *command.m_Shot;
  if (index == 0) return s.m_nLifeTime;
  if (index == 1) return s.m_nFaction;
  return FormationBlock(s, index - 2);
}

ParamRef SummonItem(cEdCmd& command, int index) {
  if (command.m_Shot.get() == nullptr) return {};
  cEdShot& s = *command.m_Shot;
  if (index == 0) return s.m_nLifeTime;
  return FormationBlock(s, index - 1);
}

ParamRef StageClear(cEdCmd& c, int i) { return SmallParam(c, i, {1, 6, 7, 3, 4}); }
ParamRef Message(cEdCmd& c, int i) { return SmallParam(c, i, {13, 1, 2, 3, 4}); }
ParamRef SetTargetCmd(cEdCmd& c, int i) { return SmallParam(c, i, {2, 10, 13}); }
ParamRef Status(cEdCmd& c, int i) { return SmallParam(c, i, {8, 9}); }
ParamRef Vanish(cEdCmd& c, int i) { return SmallParam(c, i, {1}); }
ParamRef ChangeGraphic(cEdCmd& c, int i) { return SmallParam(c, i, {1, 2}); }
ParamRef Effect(cEdCmd& c, int i) { return SmallParam(c, i, {2, 3, 4, 5, 6}); }
ParamRef Picture(cEdCmd& c, int i) { return SmallParam(c, i, {13, 2, 3, 4, 5, 7}); }
ParamRef ScreenColor(cEdCmd& c, int i) { return SmallParam(c, i, {0, 1, 2, 3}); }
ParamRef Background(cEdCmd& c, int i) { return SmallParam(c, i, {0}); }

constexpr std::array<Accessor, kCharaCmdKindCount> kAccessors = [] {
  std::array<Accessor, kCharaCmdKindCount> table{};
  table[kCmdStraightMove] = StraightMove;
  table[kCmdGroundTurnMove] = Unchanged;
  table[kCmdCircleMove] = Unchanged;
  table[kCmdChargeMove] = StraightMove;
  table[kCmdHomingMove] = HomingMove;
  table[kCmdOffScreenMove] = Unchanged;
  table[kCmdShot] = Shot;
  table[kCmdSword] = Sword;
  table[kCmdSummonBlock] = SummonBlock;
  table[kCmdSummonChara] = SummonChara;
  table[kCmdSummonItem] = SummonItem;
  table[kCmdStageClear] = StageClear;
  table[kCmdMessage] = Message;
  table[kCmdWarp] = Warp;
  table[kCmdSetTarget] = SetTargetCmd;
  table[kCmdStatus] = Status;
  table[kCmdVanish] = Vanish;
  table[kCmdChangeGraphic] = ChangeGraphic;
  table[kCmdEffect] = Effect;
  table[kCmdPicture] = Picture;
  table[kCmdScreenColor] = ScreenColor;
  table[kCmdBackground] = Background;
  return table;
}();

}  // namespace

bool IsBindableKind(int kind) {
  return kind >= 0 && kind < kCharaCmdKindCount && kAccessors[static_cast<std::size_t>(kind)] != nullptr;
}

ParamRef ParamAt(cEdCmd& command, int kind, int index) {
  if (!IsBindableKind(kind)) return {};
  return kAccessors[static_cast<std::size_t>(kind)](command, index);
}
