#pragma once
// A test's connection to a program's socket in the file system.

#include <filesystem>

// The connected socket (close-on-exec), or -1 when nothing answers there.
int ConnectToUnixSocket(const std::filesystem::path& path);
