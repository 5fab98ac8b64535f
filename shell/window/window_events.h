#pragma once
// The window's own keys and mouse: Esc asks to close, and in a Direct3D
// window a right click or the menu key opens the scale menu.

#include "platform/window.h"

void OnMainWindowEvent(const platform::WindowEvent& event);
