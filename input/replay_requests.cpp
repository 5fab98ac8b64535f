#include "input/replay_requests.h"

#include <utility>

namespace {
// Set at start-up, before the game thread runs, and only read afterwards.
ReplayRequestHooks g_hooks;
}  // namespace

void SetReplayRequestHooks(ReplayRequestHooks hooks) { g_hooks = std::move(hooks); }

const ReplayRequestHooks& CurrentReplayRequestHooks() { return g_hooks; }

int RequestReplayLoad() { return g_hooks.requestLoad ? g_hooks.requestLoad() : 0; }
