#pragma once
#include <string>

namespace platform::sdl {
int ShowMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type);
}
