#pragma once
// The link to the editor during a test play. The editor starts the player
// with PLAYER_EDITOR_SOCKET naming a Unix-domain stream socket it listens
// on; each notice is one connection that carries 12 bytes, three
// little-endian u32: the player's process id, the notice code and its value.
// The editor acknowledges by closing the connection. Without the variable
// the player is not on a test play and sends nothing.

#include <cstdint>

namespace platform {

inline constexpr const char* kEditorSocketVariable = "PLAYER_EDITOR_SOCKET";
inline constexpr int kEditorTimeoutMs = 2000;

// True when the variable names a socket.
bool StartedByEditor();
// Sends one notice and waits for the editor's acknowledgement, at most
// kEditorTimeoutMs in all; false when nothing was delivered.
bool SendEditorNotice(std::uint32_t code, std::uint32_t value);

}  // namespace platform
