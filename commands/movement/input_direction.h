#pragma once
// The direction choice (0..9, as the 8-way input choices number them) that
// an input record's direction code stands for: 1 left, 2 right, 3 up,
// 4 down, 5 up-left, 6 down-left, 7 up-right, 8 down-right, 9 none (the
// facing direction). A slot outside the input records reads as no input.

int InputDirChoice(int slot);
