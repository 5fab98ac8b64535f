#pragma once
// The hint line at the foot of the stage: a single-stage run and a test
// play started from the editor each tell the player, in a text of the
// project, how to get back out. Ordinary play shows nothing.

#include <string>

class cSystem;

// The project's text for this run (27 single stage, 26 test play), or null
// when the run shows none or the project lacks the text.
const std::string* HintText(const cSystem& system, int directStage, int fromEditor);
// The left edge that centres `text` in 16-dot characters on the screen.
int HintLineX(const std::string& text);
// Writes the run's hint centred at y 456 into BackBuffer.
void DrawHintLine(const cSystem& system);
