#pragma once
// Path functions on CP932 paths held in std::string. The separator of stored
// paths is '\' (a '/' separates too, as it does on Windows and in the real
// paths of this system); a '\' byte that is the trail byte of a Shift-JIS
// character is part of that character, never a separator. An absolute path
// starts with a separator.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The components of a path, split at real separators; empty components
// (doubled or trailing separators) are left out.
struct SplitPath {
  bool absolute = false;
  std::vector<std::string_view> components;
};
SplitPath SplitStoredPath(std::string_view path);

// Equal but for the case of ASCII letters, in CP932 texts: a letter folds only
// as a character of its own, never as the trail byte of a two-byte character.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
// The same for UTF-8 texts (file-system names), where every ASCII byte is a
// character of its own.
bool Utf8EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// An absolute path is made relative to the working folder (".\" in front when
// it lies inside it, "..\" steps otherwise); a relative one stays. Folder
// names compare exactly, as the file system does. 0 when the working folder
// cannot be had.
int MakeRelativePath(std::string& path);
// A relative path is made absolute inside the working folder; an absolute one
// stays. 0 when the working folder cannot be had.
int MakeFullPath(std::string& path);

// Keeps the text after the last separator; a separator in the last byte is not
// taken, and paths shorter than two bytes stay as they are.
void StripDirectory(std::string& path);

// The extension is the text after the last '.' of the last path component.
// destination := source with the extension replaced by newExtension (given
// without its dot) or, without one, cut off together with its dot. 0 (and
// destination a copy of the source) when there is no extension.
int ChangeExt(std::string& destination, std::string_view source, std::optional<std::string_view> newExtension);
// Removes the extension and its dot; 0 when there is none.
int RemoveExt(std::string& path);
// destination := the extension; 0 (destination unchanged) when there is none.
int GetExt(std::string& destination, std::string_view path);

// destination := "<path without extension> (<number>).<extension>"; 0 when the
// path has no extension. destination may be the path itself.
int MakeNumberedName(std::string& destination, std::string_view path, int number);

// The highest numbered file "<base>_000" ... "<base>_999" that exists, where
// base is the path with its extension changed to `extension` (the path itself
// when it has none). 1 and destination := that name, or 0 with destination
// unchanged. The folder is listed once. destination may be the path itself.
int FindLastNumberedFile(std::string& destination, std::string_view path, std::string_view extension);
