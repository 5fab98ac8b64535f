// Random flows on a tiny stage: command kinds (also outside the table),
// parameters, loops, bindings, times and triggers come from the bytes; the
// flows are installed on a few characters and the stage runs 200 frames.
// Whatever the flows hold, the runtime stays in bounds and defined.

#include <cstddef>
#include <cstdint>

#include "commands/install.h"
#include "definitions/command_kinds.h"
#include "definitions/param_table.h"
#include "fuzz/record_fuzzing.h"
#include "stage/harness/stage_harness.h"

namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  std::uint8_t Next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  std::int32_t Int() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | Next();
    return static_cast<std::int32_t>(value);
  }
  bool More() const { return m_pos < m_size; }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

// Keeps the modal waits finite and short: a message or picture that waits
// for the decide key would wait forever without a keyboard, and a game wait
// of years is valid data but no test.
void ShortenWaits(cEdCmd& command) {
  auto& p = command.m_vParams;
  const auto clear = [&](std::size_t index) {
    if (index < p.size()) p[static_cast<long long>(index)] = 0;
  };
  if (command.m_nKind == kCmdGameWait && !p.empty()) p[0] %= 64;
  if (command.m_nKind == kCmdMessage) clear(8);
  if (command.m_nKind == kCmdPicture) clear(10);
}

// The movement settings the moves read, small values and extremes alike.
void RandomMove(Bytes& bytes, cEdMove& move) {
  auto small = [&] { return static_cast<std::int16_t>(bytes.Next() & 1 ? bytes.Int() : bytes.Next() % 40 - 20); };
  move.m_nDirection = bytes.Next() % 16;
  move.m_nMoveMode = bytes.Next() % 3;
  move.m_nTimeMode = bytes.Next() % 4;
  move.m_nDistanceUnit = bytes.Next() % 2;
  move.m_nFixedAxis = bytes.Next() % 4;
  move.m_nTargetSlot = bytes.Next() % 6;
  move.m_nTargetBase = bytes.Next() % 5;
  move.m_bStopAtTarget = bytes.Next() & 1;
  move.m_bClampStep = bytes.Next() & 1;
  move.m_bAccelerate = bytes.Next() & 1;
  move.m_nMoveAnime = bytes.Next() % 3;
  move.m_bMirrorTargetX = bytes.Next() & 1;
  for (std::int16_t* field : {&move.m_nSpeed, &move.m_nSpeedStep, &move.m_nDistance, &move.m_nDistanceStep,
                              &move.m_nAngle, &move.m_nAngleStep, &move.m_nTargetXBl, &move.m_nTargetYBl,
                              &move.m_nTargetXDot, &move.m_nTargetYDot, &move.m_nHomingLag, &move.m_nTopSpeed})
    *field = small();
}

cEdCmd RandomCommand(Bytes& bytes) {
  cEdCmd command;
  command.m_nKind = bytes.Next();
  const int params = bytes.Next() % 20;
  for (int i = 0; i < params; ++i) command.m_vParams.push_back(bytes.Next() & 1 ? bytes.Int() : bytes.Next() % 8);
  command.m_nTime = static_cast<std::int16_t>(bytes.Next() % 8);
  command.m_nTimeStep = static_cast<std::int16_t>(static_cast<std::int8_t>(bytes.Next()));
  command.m_bInstant = bytes.Next() & 1;
  if (bytes.Next() & 1) RandomMove(bytes, command.m_Move.Emplace());
  if (bytes.Next() & 1) command.m_Shot.Emplace();
  ShortenWaits(command);
  command.m_nAnime = bytes.Next() % 4;
  return command;
}

cEdFlow RandomFlow(Bytes& bytes) {
  cEdFlow flow;
  flow.m_nTrigger = bytes.Next() % 23;
  flow.m_nFlag = bytes.Next() % 30;
  flow.m_bCondOnce = bytes.Next() & 1;
  const int commands = bytes.Next() % 12;
  for (int i = 0; i < commands && bytes.More(); ++i) flow.m_vCmds.push_back(RandomCommand(bytes));
  return flow;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  static const bool installed = (InstallCommands(), BuildParamTable(), true);
  (void)installed;
  Bytes bytes(data, size);
  cEdStage stage;
  stage.Width = 20;
  stage.Height = 15;
  stage.SpeedLevel = 1 + bytes.Next() % 3;
  stage.SetSpeedLevel(stage.SpeedLevel);
  stage.IntroSwitch1 = stage.IntroSwitch2 = 0;
  cEdChara hero;
  hero.m_nOperator = kOperatorPlayer;
  hero.m_nGraphicNo = 1;
  hero.m_nColumn = 2;
  hero.m_nRow = 10;
  stage.m_vChara.push_back(hero);
  for (int i = 0; i < 3 && bytes.More(); ++i) {
    cEdChara chara;
    chara.m_nGraphicNo = 1;
    chara.m_nColumn = static_cast<std::int16_t>(4 + i * 3);
    chara.m_nRow = 10;
    chara.m_bTurnByCmd = 1;
    const int flows = 1 + bytes.Next() % 3;
    for (int f = 0; f < flows; ++f) chara.m_vFlows.push_back(RandomFlow(bytes));
    stage.m_vChara.push_back(chara);
  }
  cStageHarness harness;
  harness.UseStage(stage);
  harness.Begin(7);
  for (int frame = 0; frame < 200; ++frame) harness.Step(static_cast<std::uint16_t>(frame & 15), 0);
  return 0;
}
