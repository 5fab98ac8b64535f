#pragma once
// Keeps one player running: when another instance holds the lock, the user
// is asked whether to end it and start again.

#include "platform/single_instance.h"

// True when start-up may go on: the lock is ours (also when the old instance
// could not be found but its lock freed itself in time), or no lock file can
// be made at all. False when the player must end with 0: the user said No,
// or a live process still holds the lock (after the failure box).
bool EnsureSingleInstance(platform::InstanceLock& lock);
