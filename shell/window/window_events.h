#pragma once
// The game window's own keys and mouse, outside any dialog: Esc asks to
// close, and in a Direct3D window a right click or F10 opens the scale menu.

#include "platform/ui_events.h"

void OnMainWindowInput(const platform::UiEvent& event);
