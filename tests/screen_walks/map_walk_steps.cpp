#include "map_walk_steps.h"

#include <gtest/gtest.h>

#include "platform/input_devices.h"
#include "platform/message_box.h"
#include "shell/game/game.h"

cTitleScene* Title() { return dynamic_cast<cTitleScene*>(g_Game.Scene(GS_TITLE)); }
cWorldMapScene* Map() { return dynamic_cast<cWorldMapScene*>(g_Game.Scene(GS_WORLDMAP)); }

void NewGameToTheMap(cScreenWalk& walk) {
  ASSERT_TRUE(walk.StepUntil([] { return Title() && Title()->Phase() == cTitleScene::kMenu; }));
  walk.Tap(kKeyZ);
  walk.Step();
  walk.Tap(kKeyZ);
  ASSERT_TRUE(walk.StepUntil([] { return Map() && Map()->Phase() == cWorldMapScene::kWalk; }));
}

void EnterTheFirstStage(cScreenWalk& walk) {
  for (int i = 0; i < 3 && Map()->Phase() == cWorldMapScene::kWalk; ++i) walk.Tap(kKeyRight);
  ASSERT_EQ(Map()->Phase(), cWorldMapScene::kEnter);
  walk.Tap(kKeyUp);
  walk.Tap(kKeyZ);
}

bool TapWhileOpen(cScreenWalk& walk, int virtualKey) {
  platform::SetKeyHeld(virtualKey, true);
  const bool open = walk.Harness().StepFrames(1) == 1;
  platform::SetKeyHeld(virtualKey, false);
  return open && walk.Harness().StepFrames(1) == 1;
}

std::size_t Questions(std::vector<std::string>* texts) {
  std::size_t count = 0;
  for (const auto& box : platform::TakeHeadlessBoxes()) {
    count += box.caption == "終了確認";
    if (texts) texts->push_back(box.text);
  }
  return count;
}
