#pragma once
// The first step of start-up: making sure the project folder "data\" exists,
// creating it from the pristine copy "default\" when the user agrees, and then
// the folders that the player and the project expect.

// 1 when "data\" is a folder afterwards. When it is missing and "default\"
// exists, asks the user; on Yes copies "default\" to "data\" (a failed copy
// removes what it made again). 0 without "default\", on No, or when the copy
// fails.
int CreateDefaultData();

// Creates every folder of g_FolderList that does not exist yet; failures are
// passed over. A folder that exists with another letter case is reused.
void CreateStartupFolders();
