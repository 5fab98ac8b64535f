#pragma once
// The project-wide switches that change how a stage plays, read from the
// system record when an attempt is set up. Named here by what they do; a
// project made before a switch existed keeps it off.

#include <cstdint>

struct StageRules {
  std::int32_t pauseMenu = 0;          // Space opens the pause menu
  std::int32_t hideStageOnPause = 0;
  std::int32_t replayRecording = 0;
  std::int32_t keepDestroyed = 0;      // destroyed characters stay and play their death
  std::int32_t keepHeroDefinition = 0;
  std::int32_t testAllAtStart = 0;
  std::int32_t noShiftOfSavedPos = 0;
  std::int32_t groundSnap = 0;         // a constant pull replaces the ground snap
  std::int32_t floorFromBelow = 0;     // floors stop objects that rise into them
  std::int32_t looseKeyOrder = 0;      // key steps may overlap the next newer one
  std::int32_t triggerSwitch1 = 0;
  std::int32_t triggerSwitch2 = 0;
  std::int32_t triggerSwitch3 = 0;
  std::int32_t distanceRefreshOther = 0;  // compatibility: keep the other's stale screen position
  std::int32_t distanceBottomAligned = 0;
  std::int32_t scaling1 = 0;           // scaling keeps the drawn cell's bottom
  std::int32_t scaling2 = 0;
  std::int32_t keepKnockOnHeadBump = 0;
  std::int32_t relaxedStandAndHead = 0;  // block characters: stand and head tests skip the edge order
  std::int32_t unstickByContactFlags = 0;
  std::int32_t noVerticalCarry = 0;      // a carrier standing still carries its rider sideways only
  std::int32_t retryMenu = 0;
  std::int32_t storyRetry = 0;
  std::int32_t storyMap = 0;
  std::int32_t challengeRetry = 0;
  std::int32_t thunderTightRanks = 0;  // "落雷" ranks follow each other without the spacing
  // Jumps and movement commands. The system-record fields behind these are
  // not among the data read so far, so they stay off, as for a current
  // project: a jump may start any time it is not already jumping, which
  // airborne flag blocks a jump (off: falling, on: the jump-started flag),
  // the player's jump speeds scaled by gravity, auto-scroll synchronisation
  // switched off (the scroll speed is simply added), and the three
  // compatibility rules of older moves (time mode 2 keeps a negative
  // duration, the fixed axis of a straight move is not zeroed, the ground
  // turn ignores the speed's sign).
  std::int32_t jumpAtAnyTime = 0;
  std::int32_t jumpBlockedByJumpStart = 0;
  std::int32_t jumpScaling = 0;
  std::int32_t noScrollSync = 0;
  std::int32_t oldTimeModeSign = 0;
  std::int32_t oldFixedAxis = 0;
  std::int32_t oldLedgeTurn = 0;
  std::int32_t showDropIcons = 0;  // characters show the icon of the item they drop
  // Pictures centred on a character follow it; off, they stay where it
  // stood when they were shown. No field of the system record is known to
  // hold it, so it stays on.
  std::int32_t pictureFollow = 1;
  std::int32_t fixedBoxColour = 0;  // 8-bit: the palette cycles the hero's box colours itself
  // Invincible characters may be tinted with their colour (Direct3D). No
  // field of the system record is known to hold it, so it stays on.
  std::int32_t colourBlending = 1;
  // A shot without power, impact or item only fires its contact triggers
  // instead of hitting; and a body attack fires its hit triggers right after
  // its own damage instead of after both sides' damage. No field of the
  // system record is known to hold them, so they stay off.
  std::int32_t strictShots = 0;
  std::int32_t immediateHitTriggers = 0;
};

extern StageRules g_StageRules;

// The switches from g_System.
void LoadStageRules();
