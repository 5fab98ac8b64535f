#pragma once
// Keeps one player running: when another instance holds the lock, the user
// is asked whether to end it and start again.

#include "platform/single_instance.h"

// True when start-up may go on (the lock is ours, or the old instance could
// not be found); false when the player must end with 0.
bool EnsureSingleInstance(platform::InstanceLock& lock);
