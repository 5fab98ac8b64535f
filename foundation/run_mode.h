#pragma once
// How this run of the player was started. Set once by the shell at start-up,
// before any data is loaded, and only read afterwards.

// 1 on a test play started by the editor: closing never asks, the editor
// receives the start and end notices, and flows marked for test plays stay
// in the definitions that are loaded.
extern int g_bFromEditor;
