#include "input/input_startup.h"

#include "input/input_record.h"
#include "input/key_config.h"
#include "platform/input_devices.h"
#include "project/data_paths.h"

void StartInput() {
  for (cInput& input : g_Inputs) input.InitJoyButtons();
  if (!LoadKeyConfig(g_Paths[PATH_KEY_CONFIG], g_KeyConfig)) SetDefaultKeyConfig(g_KeyConfig);
  platform::StartInputDevices();
}

void SetInputKeyRepeat() {
  for (cInput& input : g_Inputs) input.SetKeyRepeat(18, 6);
}

void StopInput() { platform::StopInputDevices(); }
