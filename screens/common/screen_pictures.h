#pragma once
// The bitmap-table entries the game screens draw from.

inline constexpr int kTitlePicture = 47;         // 640 x 480 background
inline constexpr int kTitleCommandPicture = 48;  // one 32-dot strip per command (optional)
inline constexpr int kCursorPicture = 49;        // menu cursor 32 x 32 at (0, 0), slot cursor 16 x 16 at (64, 0)
inline constexpr int kWindowPicture = 45;        // the menu box's fill
