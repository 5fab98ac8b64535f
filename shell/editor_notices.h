#pragma once
// Test-play notices to the editor: start (code 1, value 1) once the window
// exists, end (code 0) with 0 when initialisation failed or 1 when the
// window is destroyed. Sent only on a test play (g_bFromEditor).

#include <cstdint>

void NotifyEditorStart();
void NotifyEditorEnd(std::uint32_t value);
