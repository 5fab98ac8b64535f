// The cast and the building blocks of the sample game, with the flows that
// make them act: the hero walks and jumps on the arrow keys and button 0 and
// shoots with button 1; walkers pace their ledges, flyers circle, shooters
// fire at the hero, and the boss walks, leaps and sprays shots; its herald
// ends the story.
#include "tools/sample_game/stages/common_palette_builder.h"

#include "definitions/command_kinds.h"
#include "tools/sample_game/art.h"
#include "tools/sample_game/project_files.h"
#include "tools/sample_game/record_bytes.h"
#include "tools/sample_game/stages/cast_records.h"
#include "tools/sample_game/stages/flow_builder.h"
#include "tools/sample_game/stages/showcase_cast.h"

namespace sample_game {
namespace {

// Block effects: what standing on the block does to a character.
enum BlockEffect : std::uint8_t { kEffectNone = 0, kEffectJump = 1, kEffectMoveLeft = 4, kEffectMoveRight = 5 };

cEdBlock Block(const char* name, int cell, std::uint8_t collision = kBlockSolid, std::uint8_t effect = kEffectNone,
               std::uint32_t effectValue = 0) {
  cEdBlock block;
  block.m_strName = Sjis(name);
  block.m_nGraphicNo = static_cast<std::uint16_t>(cell);
  block.m_nGraphicKind = 0;
  block.m_nCollision = collision;
  block.m_nEffect = effect;
  block.m_nEffectValue = effectValue;
  return block;
}

cEdChara Hero() {
  cEdChara hero = CastChara("ヒーロー", kHeroCell, 1, 5);
  hero.m_nOperator = kOperatorPlayer;
  hero.m_nFaction = 0;
  hero.m_bTurnByCmd = 0;
  hero.m_nFacing = 1;
  hero.m_nPower = 1;
  hero.m_vFlows.push_back(KeyFlow(kKeyLeft, false, {MoveCommand(kCmdStraightMove, 1, 30, kMoveLeft)}));
  hero.m_vFlows.push_back(KeyFlow(kKeyRight, false, {MoveCommand(kCmdStraightMove, 1, 30, kMoveRight)}));
  cEdCmd jump = JumpCommand(8);
  jump.m_nSound = 1;  // "ジャンプ"
  hero.m_vFlows.push_back(KeyFlow(kKeyButton0, false, {jump}));
  cEdCmd shot = ShotCommand(kPelletShot, 1, 60, 1, false);
  shot.m_nSound = 2;  // "ショット"
  hero.m_vFlows.push_back(KeyFlow(kKeyButton1, false, {shot, Command(kCmdWait, 3)}));
  cEdCmd sword = Command(kCmdSword, 2);
  cEdShot& blade = sword.m_Shot.Emplace();
  blade.m_nMoveKind = 1;  // the short sword
  blade.m_nPower = 2;
  blade.m_bOwnerFaction = 1;
  hero.m_vFlows.push_back(KeyFlow(kKeyButton2, false, {sword, Command(kCmdWait, 2)}));
  return hero;
}

cEdChara Walker() {
  cEdChara walker = CastChara("モスリング", kWalkerCell, 2, 2);
  walker.m_nPower = 1;
  walker.m_nScore = 100;
  walker.m_vFlows.push_back(Flow(kTriggerAlways, {MoveCommand(kCmdGroundTurnMove, 10, 8)}));
  return walker;
}

cEdChara Flyer() {
  cEdChara flyer = CastChara("コウモリ", kFlyerCell, 3, 1);
  flyer.m_nFlight = 1;
  flyer.m_nPower = 1;
  flyer.m_nScore = 200;
  flyer.m_vFlows.push_back(Flow(kTriggerAlways, {MoveCommand(kCmdStraightMove, 15, 12, kMoveUp),
                                                 MoveCommand(kCmdStraightMove, 15, 12, kMoveDown)}));
  return flyer;
}

cEdChara Shooter() {
  cEdChara shooter = CastChara("砲台", kShooterCell, 4, 3);
  shooter.m_nPower = 1;
  shooter.m_nScore = 300;
  cEdCmd shot = ShotCommand(kEnemyShot, 1, 30, 1, true);
  shooter.m_vFlows.push_back(Flow(kTriggerAlways, {Command(kCmdWait, 20), shot}));
  return shooter;
}

cEdChara Boss() {
  cEdChara boss = CastChara("ボス", 1, 5, 30);
  boss.m_nGraphicKind = 4;  // the extra character bitmap of 64 x 64 cells
  boss.m_nPower = 2;
  boss.m_nScore = 5000;
  boss.m_nDeathEffect = 2;
  boss.m_vFlows.push_back(Flow(kTriggerAlways, {MoveCommand(kCmdGroundTurnMove, 30, 10),
                                                JumpCommand(4), ShotCommand(kBossShot, 3, 25, 1, true),
                                                Command(kCmdWait, 10)}));
  // A dead character's flows stop with its death, so the herald it leaves
  // behind keeps the hall quiet while the boss bursts, then clears the world.
  boss.m_vFlows.push_back(Flow(kTriggerDied, {SummonCommand(kCmdSummonChara, kCharaHerald)}));
  boss.m_vFlows.push_back(Flow(kTriggerDamaged, {Command(kCmdCharaEffect, 0, {1, 0, 0}), Command(kCmdSound, 0, {4})}));
  return boss;
}

// Unseen, untouchable and awake off screen too: waits two seconds, then
// "ワールドクリア".
cEdChara Herald() {
  cEdChara herald = CastUntouchableFlyer("伝令", kFlyerCell, 3, 1);
  herald.m_bTransparent = 1;
  herald.m_nDeathEffect = 0;
  herald.m_nActiveRange = 3;  // acts wherever the screen is
  herald.m_vFlows.push_back(Flow(kTriggerAlways, {Command(kCmdWait, 20), Command(kCmdStageClear, 0, {3})}));
  return herald;
}

template <typename Definition>
Definition Placed(const cVector<Definition>& list, int index, int column, int row) {
  Definition placed = list[index];
  placed.m_nPalKind = kPaletteCommon;
  placed.m_nPalIndex = static_cast<std::uint16_t>(index);
  placed.m_vInherit.assign(Definition::kGroupCount, 1);
  placed.m_nColumn = static_cast<std::int16_t>(column);
  placed.m_nRow = static_cast<std::int16_t>(row);
  return placed;
}

}  // namespace

cEdPalette BuildCommonPalette() {
  cEdPalette palette;
  palette.m_vBlock = {cEdBlock(),
                      Block("地面", kGrassCell),
                      Block("土", kDirtCell),
                      Block("レンガ", kBrickCell),
                      Block("石", kStoneCell),
                      Block("すり抜け床", kOneWayCell),
                      Block("ばね", kSpringCell, kBlockSolid, kEffectJump, 15),
                      Block("トゲ", kSpikesCell, kBlockDeadly),
                      Block("ベルト（左）", kBeltLeftCell, kBlockSolid, kEffectMoveLeft, 20),
                      Block("ベルト（右）", kBeltRightCell, kBlockSolid, kEffectMoveRight, 20),
                      Block("氷", kIceCell)};
  palette.m_vBlock[kBlockOneWay].m_nPassSide = 0;  // the hero's side passes it from below
  palette.m_vChara = {cEdChara(), Hero(), Walker(), Flyer(), Shooter(), Boss(), Guide(), Prankster(), SteppingStone(), Herald()};
  cEdItem key = CastItem("カギ", kKeyCell, 3);
  key.m_vCmds.push_back(ItemCommand(Command(kCmdStageClear, 0, {0})));  // "次のステージへ"
  palette.m_vItem = {cEdItem(), CastItem("コイン", kCoinCell, 3), CastItem("ハート", kHeartCell, 3), key,
                     CastItem("宝石", kGemCell, 3), TreasureChest()};
  palette.m_vItem[kItemHeart].m_nTaking = kTakeOnce;
  return palette;
}

cEdBlock PlacedBlock(const cEdPalette& palette, int index, int column, int row) {
  return Placed(palette.m_vBlock, index, column, row);
}
cEdChara PlacedChara(const cEdPalette& palette, int index, int column, int row) {
  return Placed(palette.m_vChara, index, column, row);
}
cEdItem PlacedItem(const cEdPalette& palette, int index, int column, int row) {
  return Placed(palette.m_vItem, index, column, row);
}

}  // namespace sample_game
