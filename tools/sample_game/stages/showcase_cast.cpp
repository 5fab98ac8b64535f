// The guide, the prankster, the stepping stone and the treasure chest. The
// effect commands walk through every character effect and screen effect of
// the database, one after the other, so each of them shows up in play.
#include "tools/sample_game/stages/showcase_cast.h"

#include "definitions/command_kinds.h"
#include "project/effect_param_defaults.h"
#include "tools/sample_game/art.h"
#include "tools/sample_game/project_files.h"
#include "tools/sample_game/record_bytes.h"
#include "tools/sample_game/stages/cast_records.h"
#include "tools/sample_game/stages/common_palette_builder.h"
#include "tools/sample_game/stages/flow_builder.h"

namespace sample_game {
namespace {

// Flow IDs ("A", "B", ...) that the flow-control commands name.
constexpr std::uint8_t kFlowShow = 1;    // the guide's fireworks
constexpr std::uint8_t kFlowPranks = 2;  // the prankster's tricks

// Operators and sources of the status operation.
constexpr int kOpSet = 0, kOpAdd = 1;
constexpr int kTargetVariable = 1, kStageVariables = 1, kCommonVariables = 0;
constexpr int kFromConstant = 0, kFromRandom = 1;
// The bindable parameter of a straight move that holds its angle.
constexpr int kMoveAngle = 4;
// The status of "ステータスの操作2" that lets a character turn only by command.
constexpr int kTurnByCommand = 2;

cEdCmd WithText(cEdCmd command, const char* utf8) {
  command.m_strCode = Sjis(utf8);
  return command;
}

// "ステータスの操作" on a variable: op(variable, value or rand(low, high)).
cEdCmd VariableOperation(int variables, int number, int op, int source, int value, int high = 0) {
  return Command(kCmdStatus, 0,
                 {kTargetVariable, variables, number, 0, 0, op, source, value, value, high, 0, 0, 0, 0, 0, 0, 0, 0});
}

// A message above the guide for `tenths`, with the variable escapes expanded.
cEdCmd Message(const char* utf8, int tenths) {
  //                        place x  y  dx dy in  dur time wait esc
  return WithText(Command(kCmdMessage, 0, {0, 0, 0, 0, -8, 1, 1, tenths, 0, 1}), utf8);
}

// Every entry of the database's character-effect or screen-effect list in turn.
void RunEveryEffect(cEdFlow& flow, int kind, int count) {
  for (int effect = 1; effect < count; ++effect) {
    flow.m_vCmds.push_back(Command(kind, 0, {effect, 0, 0}));
    flow.m_vCmds.push_back(Command(kCmdWait, 6));
  }
}

cEdShot& ShotOf(cEdCmd& command) { return command.m_Shot ? *command.m_Shot : command.m_Shot.Emplace(); }

// A summon of common-palette entry `index` one block ahead of the owner,
// gone again after three seconds.
cEdCmd Summon(int kind, int index) {
  cEdCmd command = SummonCommand(kind, index);
  cEdShot& shot = ShotOf(command);
  shot.m_nShiftX = 32;
  shot.m_bLifeTime = 1;
  shot.m_nLifeTime = 30;
  return command;
}

cEdFlow SoundFlow(FlowTrigger trigger, int sound) {
  return Flow(trigger, {Command(kCmdSound, 0, {sound})});
}

}  // namespace

cEdChara Guide() {
  cEdChara guide = CastUntouchableFlyer("案内人", kFlyerCell, 3, 99);
  guide.m_nCharaId = 1;
  // Before the stage: the stage's lucky number and a fresh count of visits.
  // Only instant commands run before the stage.
  cEdFlow prepare = Flow(kTriggerBeforeStage,
                         {WithText(Command(kCmdCode), "S2 = rand(1, 6)"),
                          VariableOperation(kStageVariables, 1, kOpSet, kFromConstant, 0),
                          VariableOperation(kCommonVariables, 2, kOpAdd, kFromRandom, 1, 3),
                          Command(kCmdStatus2, 0, {0, kTurnByCommand, 0, 0, 0}), Command(kCmdBgm, 0, {kBgmStage, 1}),
                          Command(kCmdBackground, 0, {2, 0})});
  for (cEdCmd& command : prepare.m_vCmds) command.m_bInstant = 1;
  guide.m_vFlows.push_back(prepare);
  // Greets, counts the greetings and shows the sign; a bound parameter makes
  // the bounce follow the lucky number.
  cEdFlow greet = Flow(kTriggerAlways,
                       {Message("ようこそ！ あいさつ#S1回目 幸運の数 #S2_2Z 冒険 #C2_3ZP 時間 #S3秒", 30),
                        VariableOperation(kStageVariables, 1, kOpAdd, kFromConstant, 1),
                        Command(kCmdPicture, 0, {1, 0, 0, 0, 0, -48, 0, 100, 1, 20, 0, 0, 0, 0, 0}),
                        Command(kCmdAnime, 0, {6}), Command(kCmdEffect, 0, {2, 0}),
                        Command(kCmdArrange, 0, {kCmdStraightMove, kMoveAngle, kOpSet, 1, 2}),
                        MoveCommand(kCmdStraightMove, 10, 10, kMoveUp), MoveCommand(kCmdStraightMove, 10, 10, kMoveDown),
                        MoveCommand(kCmdCircleMove, 20, 20), Command(kCmdFacing, 0, {2}), Command(kCmdWait, 40)});
  guide.m_vFlows.push_back(greet);
  // A stopwatch: stage variable 3 counts the seconds the guide has been about.
  guide.m_vFlows.push_back(
      Flow(kTriggerAlways, {Command(kCmdWait, 10), VariableOperation(kStageVariables, 3, kOpAdd, kFromConstant, 1)}));
  // Touched by the hero: fireworks through every effect.
  cEdFlow touched = Flow(kTriggerHitChara, {Command(kCmdFlowControl, 0, {0, 2, kFlowShow, 0})});
  guide.m_vFlows.push_back(touched);
  cEdFlow show = Flow(kTriggerByFlowControl, {Command(kCmdScreenColor, 0, {255, 230, 120, 60, 0, 5, 1, 2})});
  show.m_nId = kFlowShow;
  RunEveryEffect(show, kCmdCharaEffect, kCharaEffectKindCount);
  RunEveryEffect(show, kCmdScrEffect, kScrEffectKindCount);
  guide.m_vFlows.push_back(show);
  // Struck by anything: a short pause of the whole game and a jingle.
  guide.m_vFlows.push_back(Flow(kTriggerAttackImpacted, {Command(kCmdGameWait, 0, {3}), Command(kCmdSound, 0, {3})}));
  return guide;
}

cEdChara Prankster() {
  cEdChara prankster = CastChara("いたずら妖精", kWalkerCell, 2, 4);
  prankster.m_nPower = 1;
  prankster.m_nScore = 500;
  prankster.m_nCharaId = 2;
  cEdCmd sword = Command(kCmdSword, 3);
  ShotOf(sword).m_nMoveKind = 1;  // the first sword type
  ShotOf(sword).m_nPower = 1;
  cEdCmd warp = MoveCommand(kCmdWarp, 0, 0, kMoveUp);
  warp.m_Move->m_nDistance = 2;
  cEdFlow pranks = Flow(kTriggerAlways,
                        {Command(kCmdSetTarget, 0, {0, 0, 1}), MoveCommand(kCmdChargeMove, 10, 20),
                         Command(kCmdStopMove), Summon(kCmdSummonBlock, kBlockBrick),
                         Summon(kCmdSummonItem, kItemCoin), Command(kCmdLoop, 0, {2, 2}), sword, Command(kCmdWait, 5),
                         MoveCommand(kCmdHomingMove, 20, 15), warp, Command(kCmdChangeGraphic, 0, {1, kFlyerCell, 0}),
                         Command(kCmdChangeAnimeSet, 0, {3}), MoveCommand(kCmdOffScreenMove, 10, 20),
                         Command(kCmdChangeGraphic, 0, {1, kWalkerCell, 0}), Command(kCmdChangeAnimeSet, 0, {2}),
                         Command(kCmdVanish, 0, {3, 0, 1}), Command(kCmdWait, 20)});
  pranks.m_nId = kFlowPranks;
  prankster.m_vFlows.push_back(pranks);
  // Hurt: calls a bat for help and pauses its tricks a moment.
  prankster.m_vFlows.push_back(Flow(kTriggerDamaged, {Summon(kCmdSummonChara, kCharaFlyer),
                                                      Command(kCmdFlowControl, 0, {2, 1, 0, 0}),
                                                      Command(kCmdWait, 10),
                                                      Command(kCmdFlowControl, 0, {3, 1, 0, 0})}));
  prankster.m_vFlows.push_back(Flow(kTriggerDied, {Command(kCmdTakeItem, 0, {0, kItemGem})}));
  return prankster;
}

cEdChara SteppingStone() {
  cEdChara stone = CastChara("踏み石", kShooterCell, 4, 9);
  stone.m_bBlockChara = 1;
  stone.m_nFlight = 1;
  stone.m_nInvincible = 2;
  stone.m_nFaction = 0;
  stone.m_vFlows.push_back(Flow(kTriggerAlways, {MoveCommand(kCmdStraightMove, 20, 10, kMoveUp),
                                                 MoveCommand(kCmdStraightMove, 20, 10, kMoveDown)}));
  // A chime for every kind of contact it can feel.
  constexpr FlowTrigger kContacts[] = {
      kTriggerImpacted,       kTriggerHitBlockChara, kTriggerOnBlockChara,  kTriggerHitShot,
      kTriggerHitItem,        kTriggerHitBlock,      kTriggerBlockSide,     kTriggerBlockLeft,
      kTriggerBlockRight,     kTriggerBlockVertical, kTriggerBlockAbove,    kTriggerBlockBelow,
      kTriggerRiddenByHero,   kTriggerRiddenByChara, kTriggerAttackDamaged, kTriggerAttackHit,
  };
  for (FlowTrigger trigger : kContacts) stone.m_vFlows.push_back(SoundFlow(trigger, 6));
  return stone;
}

cEdItem TreasureChest() {
  cEdItem chest = CastItem("宝箱", kGemCell, 3);
  // The opener learns a dash: holding down and right runs at double speed.
  cEdCmd dash;
  dash.m_nFamily = kFamilyItem;
  dash.m_nKind = kItemCmdChangeFlow;
  dash.m_vParams.assign(static_cast<std::size_t>(CmdParamCount(kFamilyItem, kItemCmdChangeFlow)), 0);
  dash.m_vFlows.push_back(KeyFlow(kKeyDown, false, {MoveCommand(kCmdStraightMove, 1, 60, kMoveRight)}));
  chest.m_vCmds.push_back(dash);
  cEdCmd warp = MoveCommand(kCmdWarp, 0, 0, kMoveRight);
  for (cEdCmd command : {Command(kCmdGameWait, 0, {2}), Message("宝箱だ！ コイン #C1_4Z", 20), warp,
                         Command(kCmdSetTarget, 0, {0, 0, 1}), VariableOperation(kCommonVariables, 1, kOpAdd, kFromConstant, 10),
                         Command(kCmdStatus2, 0, {0, kTurnByCommand, 0, 0, 0}), Command(kCmdVanish, 0, {3, 0, 1}),
                         Command(kCmdTakeItem, 0, {0, kItemCoin}), Command(kCmdChangeGraphic, 0, {1, kHeroCell, 0}),
                         Command(kCmdChangeAnimeSet, 0, {1}), Command(kCmdAnime, 0, {2}), Command(kCmdEffect, 0, {2, 0}),
                         Command(kCmdCharaEffect, 0, {1, 0, 0}), Command(kCmdScrEffect, 0, {1, 0, 0}),
                         Command(kCmdPicture, 0, {2, 0, 0, 0, 0, -48, 0, 100, 1, 10, 0, 0, 0, 0, 0}),
                         Command(kCmdScreenColor, 0, {255, 255, 255, 40, 0, 3, 0, 0}),
                         Command(kCmdBackground, 0, {1, 0}), Command(kCmdSound, 0, {3}), Command(kCmdBgm, 0, {kBgmStage, 1}),
                         WithText(Command(kCmdCode), "C3 = C3 + rand(1, 10)"), Command(kCmdArrange, 0, {kCmdSound, 0, kOpSet, 0, 0}),
                         Command(kCmdLoop, 0, {1, 1})})
    chest.m_vCmds.push_back(ItemCommand(command));
  return chest;
}

}  // namespace sample_game
