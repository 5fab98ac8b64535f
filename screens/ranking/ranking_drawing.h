#pragma once
// The ranking window of one table, and the result panel of the stage end.
// Both are drawn in the menu font, 16 pixels per character cell, with the
// genre labels of the system terms (5 + genre) and clear times as time text.
//
// Ranking window (270 x 350 box at (x + 1, y + 1)): the title line, then one
// line per used row (rank, name, score right-aligned in a column as wide as
// row 0's score, or 8 cells for clear times); below the rows the hint to
// switch genres when the play mode ranks more than one; a pointer beside the
// row just inserted.
//
// Result panel: one line per genre that the stage ranks and (unless the stage
// was started directly) the play mode ranks: label, then the value of the
// save data's result line right-aligned after the label column; a pointer
// beside every line that made a new ranking row.

#include "foundation/checked_vector.h"
#include "graphics/surfaces/surface.h"
#include "screens/ranking/ranking_records.h"

// The window of `table` as genre `genre` (0..4), with a pointer beside row
// `newRow` (-1: none).
void DrawRankingTable(DDSURFACEDATA* surface, int x, int y, const cRankingTable& table, int genre, int newRow);

// The result panel at (x, y); newRows[i] != -1 marks genre i's line.
// Nothing when no line is shown.
void DrawResultPanel(DDSURFACEDATA* surface, int x, int y, const cVector<int>& newRows);
