#pragma once
// The colour variant of an 8-bit palette project: the user option picks one
// of 24 blend tables "bmp\hbt\hbtNN.dat" and a matching recolouring of the
// palette rows 16 to 207 (rotated for variants 0 to 11, one row repeated
// for 12 to 23).

// 1 when loaded (at once outside 8-bit DirectDraw mode), 0 after the
// message of the file that failed. A variant outside 0..23 is taken as the
// nearest one.
int LoadBlendPalette(int variant);
