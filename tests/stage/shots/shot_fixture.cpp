#include "tests/stage/shots/shot_fixture.h"

#include <cmath>
#include <memory>

#include "stage/scene/stage_scene.h"
#include "stage/shots/shot_list.h"

StageBuilder OpenStage(int speedLevel) {
  StageBuilder builder(30, 12, 5, 8, speedLevel);
  for (int column = 0; column < 30; ++column) builder.Block(column, 9);
  return builder;
}

cEdShot PlainShot(int side) {
  cEdShot record;
  record.m_nFaction = static_cast<std::uint8_t>(side);
  record.m_bPassBlocks = 0;
  return record;
}

ShotPlacement PlaceAt(double x, double y, double vx, double vy) {
  ShotPlacement placement;
  placement.startX = static_cast<std::int32_t>(x);
  placement.startY = static_cast<std::int32_t>(y);
  placement.vx = vx;
  placement.vy = vy;
  placement.speed = std::fabs(vx) + std::fabs(vy);
  return placement;
}

cStageShot* PutShot(cChara* owner, const cEdShot& record, const ShotPlacement& placement, int kind) {
  auto shot = std::make_unique<cStageShot>();
  cStageScene* scene = StageScene();
  const int serial = scene != nullptr ? scene->m_nShotSerial++ : 0;
  if (!shot->Setup(kind, serial, owner, record, placement)) return nullptr;
  return AddShot(std::move(shot));
}
