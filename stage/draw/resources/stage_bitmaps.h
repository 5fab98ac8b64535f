#pragma once
// The bitmaps of the fixed table a stage draws from: the block, character,
// shot, item, mark and panel sheets, the work surfaces and padded cell
// sheets, and the eight background-layer pictures, whose table entries take
// the picture files the stage's layers name. The screens before a stage
// load only their own few entries, so the stage loads its set when it
// starts; from one attempt or stage to the next only the layer pictures
// change. An optional sheet whose file the game lacks stays empty.

class cEdStage;

// Layer i's table entry takes the picture of the stage's layer i, or no
// file (it stays empty) when the stage has no such layer or it names none.
void NameBackgroundPictures(const cEdStage& stage);
// Coming from the stage scene itself only the layer pictures are loaded,
// else the whole set; false when a sheet that must exist cannot be made.
bool LoadStageBitmaps(bool fromStage);
void ReleaseBackgroundPictures();
