#pragma once
// The headless device stands in for a real one that goes away and comes
// back, for the tests of what the player does then.

namespace platform {

// The open device is lost, as a sound server that ends loses it.
void LoseHeadlessAudioDevice();
// While refused, opens fail, as they do while no device answers.
void RefuseHeadlessAudioDeviceOpens(bool refused);

}  // namespace platform
