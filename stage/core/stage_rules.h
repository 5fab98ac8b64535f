#pragma once
// The project-wide switches that change how a stage plays, read from the
// system record when an attempt is set up. Named here by what they do. The
// record's compatibility fields are 1 in a file older than the field, so a
// project saved by an older editor plays by the older rule.

#include <cstdint>

struct StageRules {
  // Read from the system record.
  std::int32_t pauseMenu = 0;          // Space opens the pause menu
  std::int32_t hideStageOnPause = 0;
  std::int32_t replayRecording = 0;
  std::int32_t keepDestroyed = 0;      // destroyed characters stay and play their death
  std::int32_t fixedBoxColour = 0;     // 8-bit: the palette cycles the hero's box colours itself
  std::int32_t retryMenu = 0;          // story: a lost life asks whether to retry or go to the map
  std::int32_t storyRetry = 0;         // pause menu entries of story and challenge play
  std::int32_t storyMap = 0;
  std::int32_t challengeRetry = 0;
  // The three trigger-start switches: they decide when a flow counts as
  // triggered in the current step.
  std::int32_t triggerSwitch1 = 0;
  std::int32_t triggerSwitch2 = 0;
  std::int32_t triggerSwitch3 = 0;
  std::int32_t distanceKeepsStaleOther = 0;  // the distance condition keeps the other's stale screen position
  std::int32_t oldTimeModeSign = 0;    // time mode 2 keeps a negative duration
  // The straight move's two old rules, one record field each (which field
  // holds which rule is our choice): the turn with the facing in every move
  // mode, not only by direction; a fixed axis is not zeroed.
  std::int32_t oldTurnInEveryMode = 0;
  std::int32_t oldFixedAxis = 0;
  // A warp's vertical directions follow the base object's vertical-mover
  // flag. Of the warp command's two record fields only the older is read;
  // the newer one names no rule of its own.
  std::int32_t warpVerticalByMover = 0;
  // Hero settings that make the hero float do not make it fall at once. The
  // record holds this twice under one version; the first copy is read.
  std::int32_t floatingWithoutFall = 0;
  std::int32_t noResizeGrace = 0;      // "巨大化" leaves the squeeze check on
  std::int32_t unlimitedLivesAsZero = 0;  // unlimited lives read as 0 instead of 100
  std::int32_t keepKeyLatch = 0;       // the end of a flow keeps its key latch
  std::int32_t colourKeyOpening = 0;   // the view-range opening takes the true-colour transparent colour

  // Read as a current project's default: no field of the system record can
  // be matched to these with confidence, so every project plays them as a
  // project of today's editor does. The scroll ride of the record's list
  // has no switch here: objects ride the scroll by their own setting.
  std::int32_t noScrollSync = 0;       // auto-scroll synchronisation switched off (the scroll speed is simply added)
  std::int32_t oldLedgeTurn = 0;       // the ground turn-back ignores the speed's sign at a ledge
  std::int32_t keepKnockOnHeadBump = 0;        // a head bump on a block keeps the knock-back speed
  std::int32_t keepKnockOnBlockCharaHead = 0;  // so does a head contact with a block character
  std::int32_t testAllAtStart = 0;
  std::int32_t noShiftOfSavedPos = 0;
  std::int32_t scaling1 = 0;           // scaling keeps the drawn cell's bottom
  std::int32_t scaling2 = 0;
  std::int32_t jumpScaling = 0;        // the player's jump speeds scaled by gravity
  std::int32_t jumpAtAnyTime = 0;      // a jump may start any time it is not already jumping
  std::int32_t jumpBlockedByJumpStart = 0;  // which airborne flag blocks a jump (off: falling)
  std::int32_t showDropIcons = 0;      // characters show the icon of the item they drop
  std::int32_t groundSnap = 0;         // a constant pull replaces the ground snap
  std::int32_t floorFromBelow = 0;     // floors stop objects that rise into them
  std::int32_t noVerticalCarry = 0;    // a carrier standing still carries its rider sideways only
  std::int32_t thunderTightRanks = 0;  // "落雷" ranks follow each other without the spacing
  std::int32_t relaxedStandAndHead = 0;    // block characters: stand and head tests skip the edge order
  std::int32_t unstickByContactFlags = 0;  // block characters: unstick by contact flags, not push candidates
  // A shot without power, impact or item only fires its contact triggers
  // instead of hitting; a body attack fires its hit triggers right after its
  // own damage instead of after both sides' damage.
  std::int32_t strictShots = 0;
  std::int32_t immediateHitTriggers = 0;
  std::int32_t distanceBottomAligned = 0;
  std::int32_t colourBlending = 1;     // invincible characters may be tinted with their colour (Direct3D)
  std::int32_t pictureFollow = 1;      // pictures centred on a character follow it
  std::int32_t looseKeyOrder = 0;      // key steps may overlap the next newer one
};

extern StageRules g_StageRules;

// The switches from g_System.
void LoadStageRules();
