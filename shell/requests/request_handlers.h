#pragma once
// How the main thread serves each request of the other threads. The dialog
// requests run their dialog with the other threads held still and the
// graphics layer in dialog mode, then set their done flag, whatever the
// outcome: the asking thread waits for it.

#include <cstdint>

void ServeNameEntry();
void ServeOpenStage();
void ServeLoadReplay();
void ServeSaveReplay(bool previousAttempt);
// A bad sound number only writes a report line.
void ServePlaySound(std::uintptr_t number);
// Slots 0 title, 1 world map, 2 challenge, 3 option, 4 stage; others do nothing.
void ServePlayBgm(std::uintptr_t slot, std::intptr_t bgmNumber);
std::intptr_t ServeRestore();
