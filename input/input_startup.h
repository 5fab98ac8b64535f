#pragma once
// Input at start-up and shutdown: the devices sampled, every input record
// given its joystick buttons and its key repeat, the key configuration read
// (or its defaults when there is no file); at the end the devices let go.

// Start-up (main thread): joystick buttons, KeyConfig.dat or the defaults,
// and the devices.
void StartInput();
// Start-up: the key repeat of every input record (18 frames, then every 6).
void SetInputKeyRepeat();
// Shutdown (main thread): the joysticks closed, every key released.
void StopInput();
