#pragma once
// Keeps one player running: when another instance holds the lock, the user
// is asked whether to end it and start again.

#include "platform/single_instance.h"

enum class InstanceCheck {
  // Start-up may go on: the lock is ours (also when the old instance could
  // not be found but its lock freed itself in time), or no lock file can be
  // made at all.
  Start,
  // The user said No: the running player stays.
  Declined,
  // A live process still holds the lock (after the failure box).
  Failed,
};
InstanceCheck EnsureSingleInstance(platform::InstanceLock& lock);
