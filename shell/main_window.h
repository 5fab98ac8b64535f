#pragma once
// The shell's side of the main window: the ordered close path, the end of
// the window and activation, as the event loop reports them.

#include "platform/window.h"

// A close request (the window's close button, Esc, a fatal error anywhere,
// a termination signal). The last pass ends the worker threads in order and
// destroys the window.
void OnMainWindowClose(platform::CloseReason reason);
void OnMainWindowDestroy();
void OnMainWindowActivate(bool active);

platform::EventHandlers MainWindowHandlers();
