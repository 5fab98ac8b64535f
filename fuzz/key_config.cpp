// Reads arbitrary bytes as user_data\KeyConfig.dat and polls a frame with
// every key held and every joystick attached, in both layouts: whatever the
// counts and device numbers say, polling must stay inside the record and the
// joystick table.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "input/key_config.h"
#include "input/key_polling.h"
#include "platform/input_devices.h"

namespace {

const std::string& FilePath() {
  static const std::string path = [] {
    std::string folder = (std::filesystem::temp_directory_path() / "fuzz_key_config_XXXXXX").string();
    if (!::mkdtemp(folder.data())) std::abort();
    return folder + "/KeyConfig.dat";
  }();
  return path;
}

void HoldEverything(std::uint32_t buttons) {
  for (int key = 1; key < 256; ++key) platform::SetKeyHeld(key, true);
  for (int j = 0; j < platform::kJoystickSlots; ++j)
    platform::SetJoystick(j, platform::JoystickReading{static_cast<std::uint32_t>(j * 4096), 65535, buttons});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::ofstream(FilePath(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  KEYCONFIG config;
  SetDefaultKeyConfig(config);
  if (LoadKeyConfig(FilePath(), config) != 1) std::abort();
  g_KeyConfig = config;
  HoldEverything(size > 0 ? data[0] * 0x01010101u : 0);

  cInput input;
  input.Init();
  input.InitJoyButtons();
  for (int frame = 0; frame < 3; ++frame) {
    input.PollFixedKeys(frame, 3, 60);
    input.PollKeyConfig(frame, 60);
    if (input.m_nDirCode < 1 || input.m_nDirCode > 9) std::abort();
  }
  return 0;
}
