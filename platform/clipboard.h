#pragma once
// The desktop's clipboard, as UTF-8 text, for copy and paste in the dialogs'
// edit boxes. The headless backend keeps a clipboard of its own in memory.
// Main thread only.

#include <string>
#include <string_view>

namespace platform {

// Empty when the clipboard holds no text.
std::string ClipboardText();
void SetClipboardText(std::string_view utf8);

}  // namespace platform
