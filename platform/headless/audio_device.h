#pragma once
// The headless device stands in for a real one that goes away and comes
// back, or hangs, for the tests of what the player does then.

namespace platform {

// The open device is lost, as a sound server that ends loses it.
void LoseHeadlessAudioDevice();
// While refused, opens fail, as they do while no device answers.
void RefuseHeadlessAudioDeviceOpens(bool refused);
// While stalled, the open device and every one opened meanwhile take
// nothing and read as lost, as on a sound server's suspended sink.
void StallHeadlessAudioDevice(bool stalled);
// While held, an open waits in the "driver" until let through, as one does
// on a stopped sound server.
void HoldHeadlessAudioDeviceOpens(bool held);
// How many opens were tried so far, and how many wait there now.
int HeadlessAudioDeviceOpens();
int HeadlessAudioDeviceOpensHeld();
// How many times the output was closed so far.
int HeadlessAudioDeviceCloses();

}  // namespace platform
