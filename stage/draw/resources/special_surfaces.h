#pragma once
// The pictures of the special character bitmaps (Bmp_CharaExc.dat, graphic
// kind 4) and of the sword types (SwordType.dat). A special bitmap has four
// surface places: the even ones show its picture, the odd ones its twin
// mirrored cell by cell (cells of the record's own size) for a character
// facing right. A sword type has four places, the third showing the first's
// picture and the fourth the second's (its two files). Places that show the
// same picture share its pixels. A picture that cannot be loaded is logged
// and draws nothing.

struct DDSURFACEDATA;

void LoadBmpCharaExcSurfaces();
void LoadSwordSurfaces();
void ReleaseSpecialSurfaces();
// After a lost screen; 1 always.
int RestoreSpecialSurfaces();

// Place i of special bitmap n is 4n - 4 + i; nullptr outside the list.
DDSURFACEDATA* BmpCharaExcSurface(long long place);
// Place i of sword type n is 4n - 4 + i; nullptr outside the list.
DDSURFACEDATA* SwordSurface(long long place);
