// The code evaluator over the real stage: character statuses of the
// character, its targets and the hero with their ranges and widths, the
// common and stage variables, the system statuses, and the after-effects
// (HP check, view range, scroll restart, gauges).
#include <gtest/gtest.h>

#include "commands/code/stage_code_access.h"
#include "commands/install.h"
#include "definitions/param_table.h"
#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "evaluator/code_evaluator.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/objects/stage_space.h"
#include "tests/commands/command_builders.h"
#include "tests/stage/stage_fixture.h"

namespace {

class CodeAccessTest : public testing::Test {
 protected:
  CodeAccessTest() : run((InstallCommands(), BuildParamTable(), Stage())) {
    hero = run.harness.Hero();
    other = g_CharaList.Find([](cStageChara&) { return true; });
    scene = &run.harness.Scene();
  }
  static StageBuilder Stage() {
    StageBuilder builder(20, 15, 2, 10);
    builder.Chara(5, 10);
    return builder;
  }
  int Run(cChara& chara, const char* text) {
    StageCodeAccess access;
    return ExecCode(access, text, &chara);
  }

  StageRun run;
  cHero* hero = nullptr;
  cStageChara* other = nullptr;
  cStageScene* scene = nullptr;
};

TEST_F(CodeAccessTest, CharacterStatusesReadAndWriteTheCharacter) {
  ASSERT_NE(other, nullptr);
  other->def.m_nMaxHp = 500;
  other->hp = 100;
  EXPECT_EQ(Run(*other, "v1 = 7  v8 = v1 * 3  hp = 99999  cid = 150  z = 9  mark = 500  imp = -30  stop = 1000"), 1);
  EXPECT_EQ(other->vars[1], 7);  // v1 is element 1 of the variable list
  EXPECT_EQ(other->vars[8], 0);  // every word is read before any "=" stores
  EXPECT_EQ(other->hp, 500);     // clamped to the maximum HP
  EXPECT_EQ(other->def.m_nCharaId, 99);
  EXPECT_EQ(other->def.m_nZ, 7);
  EXPECT_EQ(other->def.m_nMark, 119);
  EXPECT_EQ(other->def.m_nImpact, -20);
  EXPECT_EQ(other->def.m_nStop, 200);
  EXPECT_EQ(other->hpGauge.timer > 0, true);  // the change of HP shows its gauge
  EXPECT_EQ(Run(*other, "mhp = 50"), 1);
  EXPECT_EQ(other->def.m_nMaxHp, 50);
  EXPECT_EQ(other->hp, 50);  // the HP follows a lower maximum
  EXPECT_EQ(Run(*other, "power = getsc + 4  def = -5  impd = 30"), 1);
  EXPECT_EQ(other->def.m_nPower, other->def.m_nScore + 4);
  EXPECT_EQ(other->def.m_nDefence, 0);
  EXPECT_EQ(other->def.m_nImpactResist, 20);
}

TEST_F(CodeAccessTest, TargetsAndTheHeroWithTheirAfterEffects) {
  SetTarget(*other, 1, hero, 1);
  hero->def.m_nMaxHp = 30;
  hero->hp = 30;
  EXPECT_EQ(Run(*other, "tg2.v3 = 4  pl.sp = 0"), 1);
  EXPECT_EQ(hero->vars[3], 4);
  scene->m_bHpCheck = 0;
  EXPECT_EQ(Run(*other, "tg2.hp = 0"), 1);
  EXPECT_EQ(hero->hp, 0);
  EXPECT_EQ(scene->m_bHpCheck, 1);  // another character was left without HP
  EXPECT_EQ(Run(*other, "tg1.hp = 0"), 0);  // an empty slot: a silent error
  // The view range: the hero's follows its sight, another character's not.
  EXPECT_EQ(Run(*other, "pl.sight = 50  sight = 3"), 1);
  EXPECT_EQ(hero->def.m_nSight, 40);
  EXPECT_EQ(hero->sightDots, 640);
  EXPECT_EQ(other->def.m_nSight, 3);
  EXPECT_EQ(other->sightDots, 0);
}

TEST_F(CodeAccessTest, VariablesAndSystemStatuses) {
  g_SaveData.m_vVar.resize(10);
  scene->m_vStageVars.resize(10);
  g_SaveData.m_vVar[3] = 5;
  EXPECT_EQ(Run(*hero, "C3 = C3 + 1  S2 = 2000000  S1 = C3 * 2"), 1);
  EXPECT_EQ(g_SaveData.m_vVar[3], 6);
  EXPECT_EQ(scene->m_vStageVars[2], 999999);
  EXPECT_EQ(scene->m_vStageVars[1], 10);  // C3 as it was read
  EXPECT_EQ(Run(*hero, "C10 = 1"), 0);  // outside the list
  g_SaveData.m_nScore = 10;
  g_SaveData.m_nLife = 3;
  EXPECT_EQ(Run(*hero, "score = score * 3  life = 200  time = 5000"), 1);
  EXPECT_EQ(g_SaveData.m_nScore, 30);
  EXPECT_EQ(g_SaveData.m_nLife, 99);
  EXPECT_EQ(scene->m_nTimeLeft, 999);
  g_SaveData.m_nLife = 999999;  // unlimited lives read as 100 and stay
  EXPECT_EQ(Run(*hero, "v1 = life  life = 3"), 1);
  EXPECT_EQ(hero->vars[1], 100);
  EXPECT_EQ(g_SaveData.m_nLife, 999999);
  g_PlayStage.AutoScrollX = 1;
  EXPECT_EQ(Run(*hero, "scrlx = 1000"), 1);
  EXPECT_EQ(g_PlayStage.AutoScrollSpeedX, 480);
  EXPECT_EQ(g_StageSpace.scrollX.running, 1);
  EXPECT_DOUBLE_EQ(g_StageSpace.scrollX.speed, 48.0 / g_PlayStage.LevelF);
}

TEST_F(CodeAccessTest, TheCommandRunsItsText) {
  cEdCmd command = CharaCmd(kCmdCode);
  command.m_strCode = "v2 = 41 + 1";
  ExecCodeCmd(*other, command);
  EXPECT_EQ(other->vars[2], 42);
}

}  // namespace
