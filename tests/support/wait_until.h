#pragma once
// Waiting in a test for what another thread will do. A test waits on the
// condition itself, never for a fixed time: a loaded machine (a shared CI
// runner, a sanitizer build) only makes the wait longer. The bound is
// generous on purpose; it catches a hang, not a slow pass.

#include <functional>

// Polls the condition every millisecond, running `meanwhile` between polls
// (to serve the main thread, say), for half a minute at most; false when the
// condition never held.
bool WaitUntil(const std::function<bool()>& condition, const std::function<void()>& meanwhile = {});

// The same for a condition that is costly to test (a picture of a screen, a
// round trip to another program), tested every `pauseMs` for `boundMs` at
// most.
bool WaitUntilWithin(int boundMs, int pauseMs, const std::function<bool()>& condition);
