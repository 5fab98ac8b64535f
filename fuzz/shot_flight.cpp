// Shot parameter records from the bytes (patches of a valid record, so the
// fields reach every value) set up shots and swords of every movement kind
// on a tiny stage with characters of two sides; the stage runs 200 frames
// with the contact pass. Whatever the record holds (sizes, sides, slots,
// sword types, speeds of 0, ranges, waves), the flight, the block test, the
// contacts and the removals stay in bounds and defined.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "definitions/shot_record.h"
#include "fuzz/record_fuzzing.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/harness/stage_harness.h"
#include "stage/shots/shot_list.h"

namespace {

constexpr int kCharas = 3;

std::vector<unsigned char> ValidShotRecord() {
  cEdShot record;
  record.m_bRange = record.m_bLifeTime = record.m_bAccelerate = 1;
  record.m_nRange = 8;
  record.m_nLifeTime = 20;
  record.m_nSpeed = 30;
  DataWriter out("fuzz");
  out.Write(kProgramDataVersion);
  record.Save(out);
  return out.Bytes();
}

bool LoadShot(std::vector<unsigned char> bytes, cEdShot& record) {
  auto in = OpenReadBytes(std::move(bytes), "fuzz");
  if (!in) return false;
  record.Load(*in);
  return CloseFile(*in);
}

cEdStage TinyStage(int level) {
  cEdStage stage = MakeHarnessStage(12, 10, level, 2, 7);
  for (int i = 0; i < kCharas; ++i) {
    cEdChara chara;
    chara.m_nGraphicNo = 1;
    chara.m_nColumn = static_cast<std::int16_t>(4 + i * 2);
    chara.m_nRow = 7;
    chara.m_nFaction = static_cast<std::uint8_t>(1 + i % 2);
    stage.m_vChara.push_back(chara);
  }
  for (int column = 0; column < 12; ++column) {
    cEdBlock block;
    block.m_nColumn = static_cast<std::int16_t>(column);
    block.m_nRow = 8;
    block.m_nGraphicNo = 1;
    stage.m_vBlock.push_back(block);
  }
  return stage;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  if (size < 3) return 0;
  static const std::vector<unsigned char> valid = ValidShotRecord();
  cEdShot record;
  if (!LoadShot(PatchedFile(valid, data + 3, size - 3), record)) return 0;
  cStageHarness harness;
  harness.UseStage(TinyStage(1 + data[0] % 3));
  harness.Begin(7);
  cHero* hero = harness.Hero();
  if (hero == nullptr) return 0;
  // The owner: the hero or one of the characters, whose first target slot
  // names another character.
  cChara* owner = hero;
  if (cChara* chara = harness.CharaBySerial(1 + data[1] % kCharas)) owner = chara;
  SetTarget(*owner, 0, harness.CharaBySerial(1 + (data[1] / kCharas) % kCharas), 1);
  for (int i = 0; i < 6; ++i) {
    ShotPlacement placement;
    placement.cloneIndex = static_cast<std::int16_t>(i);
    placement.speed = static_cast<std::int8_t>(data[2]) * 0.5;
    placement.vx = i % 2 ? placement.speed : -placement.speed;
    placement.vy = (i % 3 - 1) * placement.speed;
    placement.range = record.m_nRange + i * record.m_nRangeStep;
    placement.lifeTime = record.m_nLifeTime + i * record.m_nLifeTimeStep;
    placement.startX = static_cast<int>(owner->x) + (i - 3) * 20;
    placement.startY = static_cast<int>(owner->y) - 16 * i;
    auto shot = std::make_unique<cStageShot>();
    const int kind = data[2] % 5 == 0 ? kCmdKindSword : kCmdKindShot;
    if (shot->Setup(kind, i, owner, record, placement)) AddShot(std::move(shot));
  }
  for (int frame = 0; frame < 200; ++frame) harness.Step(static_cast<std::uint16_t>(frame & 15), 0);
  return 0;
}
