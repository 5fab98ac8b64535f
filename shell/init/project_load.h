#pragma once
// The game's data as start-up loads it, apart from the device: the folders
// and default data, the databases with the effects' working copies, the
// animation and effect frame tables and the effect slots bound to them, the
// project's system record, and later the world map with the common palette.
// Start-up calls these at their places in its order; a run without a screen
// (the stage harness of the tests) calls the same, so it plays the data the
// player plays.

// What start-up derives from the databases, whether they were loaded or
// made in memory: the effects' working copies and the animation and effect
// frame tables.
void BuildDatabaseTables();

// The parameter table must have been built. False after the failure's
// message (the data folder, the databases or "data\System.dat"), or with
// none when a termination ended the default-data question.
bool LoadProjectData();

// "data\WorldMap.dat" and the common palette; false after the message.
bool LoadWorldMapAndPalette();
