#pragma once
// The file-selection box that the file dialogs show over the game: the
// current folder of the game, its folders and the files that match the
// filter (sorted by name), a name field and Open/Save and Cancel. Folders
// open with a double click or Enter; "[..]" goes up, never above the game
// folder. Saving adds the default extension to a name without one and asks
// before it replaces a file. It stands in for the desktop's own file dialog
// and, like that one, is not bound to the key hook (Escape does not close
// it while another dialog runs).

#include <string>

struct FileChooserRequest {
  bool save = false;
  int english = 0;
  std::string title;          // CP932
  std::string startFolder;    // stored path, relative to the game folder
  std::string description;    // the filter as shown (CP932)
  std::string patterns;       // "*.stg4_*;*.rpl4_*"
  std::string defaultExtension;  // save: added to a name without extension
};

// Runs the box; true with the chosen file's stored path (relative to the
// game folder) in path. In save mode path holds the proposed name on entry.
bool RunFileChooser(const FileChooserRequest& request, std::string& path);

// Control ids of the box.
inline constexpr int IDC_FILE_FOLDER = 10;
inline constexpr int IDC_FILE_LIST = 11;
inline constexpr int IDC_FILE_NAME = 12;
inline constexpr int IDC_FILE_FILTER = 13;
