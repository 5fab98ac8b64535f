#pragma once
// The text of a message window: its measured size, and the window surface
// that holds the drawn text. The text is measured and drawn with the normal
// font of the graphics layer: by its cells when its glyph caches are in use,
// else at the face's own advances; each side gets one dot of margin on both
// ends.

#include <string>

#include "graphics/text/text_layout.h"

struct cMessage;

// The font messages are written and measured with.
inline constexpr int kMessageFont = 1;

text_layout::TextSize MeasureMessageText(const std::string& text);

// Brings the window surface in line with the shown text: made anew for a
// new size, redrawn for a new text or after the surface was lost. Nothing
// without a screen, for other kinds or for an empty text.
void UpdateMessageWindow(cMessage& message);
void ReleaseMessageWindow(cMessage& message);
