#pragma once
// Hangs up this process's connections to its sound server: each Unix socket
// whose peer is the server's ("…/pulse/native", where PulseAudio and
// PipeWire's server both listen, or the one PULSE_SERVER names).
//
// Only for the close: a device that waits on a server that takes nothing (a
// sink suspended for a program that reserves the card) holds its close, and
// with it SDL's audio part and the device-watching thread SDL runs at the
// lowest priority, to the end of the process; a connection that is hung up
// ends each wait on it at once.

namespace platform::sdl {

void HangUpSoundServerConnections();

}  // namespace platform::sdl
