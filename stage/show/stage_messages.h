#pragma once
// The stage scene's messages: added, found by ID, removed, counted down and
// placed each frame (the advance half) and drawn (the pixel half), after
// the point effects.

#include <cstdint>

#include "stage/show/message_record.h"

class cStageScene;

// Appends a message set up from `setup` to the scene's list.
cMessage& AppendStageMessage(cStageScene& scene, MessageSetup setup);
// The first message in list order that carries ID `id`; null when none.
cMessage* FindStageMessage(cStageScene& scene, int id);
// Removes the message of that serial with its window, when it is still there.
void RemoveStageMessage(cStageScene& scene, std::uint32_t serial);
// Every message removed with its window.
void ClearMessageBitmaps(cStageScene& scene);

// The advance half of a frame: timed messages count down (while `held`
// only those that stopped the game), messages that ended are removed, the
// others are brought up to date and placed.
void AdvanceStageMessages(cStageScene& scene, int held);
// The pixel half: each message where the advance placed it.
void DrawStageMessages(cStageScene& scene);
