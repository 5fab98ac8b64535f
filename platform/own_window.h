#pragma once
// A small window of its own for a dialog that runs before the game window is
// shown (the start-up question). It shows a picture that the dialog draws,
// 1:1, and reports its events as UiSurface::OwnWindow (platform/ui_events.h).
// The headless backend keeps the last picture for tests. Main thread only.

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace platform {

// Opens the window at (x, y) on the desktop with a client area of the given
// size; false when it cannot be made.
bool OpenOwnWindow(std::string_view utf8Title, int x, int y, int width, int height);
void CloseOwnWindow();
// The window manager's frame around the open window, as far as it is known
// (all 0 without a window manager). A window manager puts the frame's corner
// where the window was asked to open.
WindowFrame OwnWindowFrame();
void SetOwnWindowTitle(std::string_view utf8Title);
bool OwnWindowOpen();
// Shows width x height pixels 0x00RRGGBB, row after row.
void ShowOwnWindowPicture(const std::vector<std::uint32_t>& pixels, int width, int height);
// The size of the picture last shown (0 x 0 before one).
void OwnWindowPictureSize(int* width, int* height);
// The last picture as a PNG file (headless and SDL alike); false without one.
bool WriteOwnWindowPng(const std::filesystem::path& file);

}  // namespace platform
