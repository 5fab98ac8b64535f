#pragma once
// Small builders for the flows that give the sample game's characters and
// items their behaviour: a flow is a trigger, an optional key-input step and
// a list of commands, and most commands need only a few settings.

#include <cstdint>
#include <initializer_list>

#include "definitions/command_record.h"
#include "definitions/flow_record.h"

namespace sample_game {

// Key indexes of a key step: the direction press histories, then the buttons.
enum FlowKey : int {
  kKeyLeft = 1,
  kKeyRight = 2,
  kKeyUp = 3,
  kKeyDown = 4,
  kKeyButton0 = 11,  // jump
  kKeyButton1 = 12,  // shoot
  kKeyButton2 = 13,  // sword
};

// A command of a kind with its parameters sized to the kind, running
// `tenths` tenths of a second.
cEdCmd Command(int kind, int tenths = 0, std::initializer_list<std::int32_t> params = {});
// Directions of a move, as the movement record codes them.
enum MoveWay : int { kMoveFacing = 0, kMoveLeft = 2, kMoveRight = 3, kMoveUp = 6, kMoveDown = 7 };

// A movement command with its movement record: speed in tenths of a dot per
// frame, the way it goes.
cEdCmd MoveCommand(int kind, int tenths, int speed, MoveWay way = kMoveFacing);
// A jump of `halfBlocks` half blocks (16 dots each).
cEdCmd JumpCommand(int halfBlocks);
// A shot command: `count` shots of the graphic cell at `speed`, aimed at the
// hero when `aimed`, hurting with `power`.
cEdCmd ShotCommand(int graphic, int count, int speed, int power, bool aimed);
// A summon of common-palette entry `index` (block, character or item, by
// the summon kind) where its owner stands.
cEdCmd SummonCommand(int kind, int index);
// The item form of a character command.
cEdCmd ItemCommand(cEdCmd command);

// A flow run while its trigger holds (and, with a key, while that key is held).
cEdFlow Flow(FlowTrigger trigger, std::initializer_list<cEdCmd> commands);
cEdFlow KeyFlow(FlowKey key, bool facingRelative, std::initializer_list<cEdCmd> commands);

}  // namespace sample_game
