#pragma once
// A launcher or script may start the player with its standard input, output
// or error closed (`player <&- >&- 2>&-`). The descriptors the player opens
// next would then take those numbers: an X connection on 2 would get every
// line written to stderr (the player's own, a library's) in its stream, and
// the lock file on 1 whatever goes to stdout.

namespace platform {

// Opens /dev/null on each of descriptors 0-2 that is not open, so nothing
// the process opens later lands there. Called first thing in main.
void OpenClosedStandardDescriptors();

}  // namespace platform
