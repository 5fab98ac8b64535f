#include "input/key_config.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "foundation/game_files.h"

KEYCONFIG g_KeyConfig{};

int LoadKeyConfig(std::string_view storedPath, KEYCONFIG& config) {
  const std::filesystem::path path = ResolveGamePath(storedPath);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return 0;
  std::ifstream file(path, std::ios::binary);
  if (!file) return 0;
  // Only the record's own bytes are read, however long the file is.
  KEYCONFIG loaded{};
  file.read(reinterpret_cast<char*>(&loaded), sizeof loaded);
  if (file.bad()) return 0;
  config = loaded;
  return 1;
}

void SetDefaultKeyConfig(KEYCONFIG& config) {
  static constexpr std::uint16_t kDefaultKeys[kKeyAssignCount] = {37, 39, 38, 40, 'Z', 'X',
                                                                  'C', 'V', 'A', 'S', 'D', 'F'};
  config = KEYCONFIG{};
  for (int i = 0; i < kKeyAssignCount; ++i) config.assign[i] = {kKeyboardDevice, kDefaultKeys[i], 0};
  config.entryCount = kKeyAssignCount;
  config.joystickCount = 1;
  config.useConfig = 0;
}
