#pragma once
#include <optional>
#include <string>

namespace platform::sdl {
// Nothing when the box cannot be shown.
std::optional<int> ShowMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type);
}
