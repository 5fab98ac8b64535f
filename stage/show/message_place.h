#pragma once
// Where a message stands on the screen this frame: by its place (screen
// centre, above, below or on a character, screen or stage blocks), then
// held where it first stood (on the screen when it is screen-fixed, at its
// stage point for the screen-centred and screen-block places that are
// not), then kept inside the screen when it asks for it.

#include <optional>

struct cMessage;

struct ScreenSpot {
  int x = 0;
  int y = 0;
};

// Nothing when the message stands by a character that is gone (a text
// window then ends); remembers the first position as the message asks.
std::optional<ScreenSpot> PlaceMessage(cMessage& message);
