#pragma once
// A message of the stage: a text window that "メッセージ" shows, the
// invisible timer of a game wait, or a small rising marker over a taken
// item. The stage scene keeps them in a list in showing order; each frame
// the advance half counts a timed one down, brings a refreshing text up to
// date and works out where it stands, and the pixel half draws it there.
//
// A text window's pixels are a cache of its shown text: the window surface
// is made, and the text drawn into it, whenever the text or its size
// changed or the surface was lost; nothing of the play depends on it.

#include <array>
#include <cstdint>
#include <string>

#include "graphics/surfaces/surface.h"

enum MessageKind : std::int32_t {
  kMessageTimer = 0,   // the invisible timer of a game wait
  kMessageText = 1,    // a text window
  kMessageCell = 2,    // a rising graphic cell (the three values: kind, number, graphic word)
  kMessageMarker = 3,  // the rising marker cell of the system marker sheet
};

// Where a message stands.
enum MessagePlace : std::int32_t {
  kPlaceScreenCentre = 0,
  kPlaceAboveSelf = 1,
  kPlaceBelowSelf = 2,
  kPlaceOnSelf = 3,
  kPlaceAboveHero = 4,
  kPlaceBelowHero = 5,
  kPlaceOnHero = 6,
  kPlaceScreenBlocks = 7,
  kPlaceStageBlocks = 8,
};

// How long a message or picture stays (shared with the shown pictures).
enum ShowDuration : std::int32_t { kShowUntilKey = 0, kShowUntilStageEnd = 1, kShowTimed = 2 };

// Markers have a fixed size.
inline constexpr int kMarkerSize = 16;

// Everything a message is set up from.
struct MessageSetup {
  std::int32_t kind = kMessageText;
  std::string text;  // CP932
  std::array<std::int32_t, 3> values{};
  std::int32_t place = kPlaceScreenCentre;
  std::int32_t x = 0, y = 0;              // blocks (places 7 and 8)
  std::int32_t offsetX = 0, offsetY = 0;  // dots
  std::int32_t keepInside = 0;
  std::int32_t screenFixed = 0;
  std::int32_t duration = kShowUntilKey;
  std::int32_t frames = 0;    // the time of a timed message
  std::int32_t wait = 0;      // the game stops while it is shown
  std::int32_t followed = 0;  // number of the character it stands by; 0 none (places 4-6: the player's hero)
  std::int32_t messageOpen = 0;  // a window of the same flow is still open
  std::int32_t escapes = 0;
  std::int32_t refresh = 0;
  std::int32_t refreshInterval = 0;
  std::int32_t openingFrame = 0;
  std::int32_t idSwitch = 0;
  std::int32_t id = 0;
};

// The window surface of a text message and the text drawn into it.
struct MessageWindow {
  DDSURFACEDATA surface;
  std::string drawnText;
  bool made = false;
};

struct cMessage {
  cMessage() = default;
  cMessage(const cMessage&) = delete;
  cMessage& operator=(const cMessage&) = delete;

  std::uint32_t serial = 0;  // identity within the scene's list
  MessageSetup setup;
  std::string shownText;  // the text after the escapes
  std::int32_t width = 0, height = 0;
  std::int32_t remaining = 0;
  std::int32_t opening = 0;  // the window opens with a growing frame
  double openingCounter = 0;
  std::int32_t remembered = 0;
  std::int32_t rememberedX = 0, rememberedY = 0;
  // Left by the advance half for the pixels.
  std::int32_t shownX = 0, shownY = 0;
  double shownOpening = 0;
  MessageWindow window;
};
