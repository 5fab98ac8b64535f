#include "input/replay_requests.h"

#include <mutex>
#include <utility>

namespace {
std::mutex g_hooksMutex;
ReplayRequestHooks g_hooks;
}  // namespace

void SetReplayRequestHooks(ReplayRequestHooks hooks) {
  std::lock_guard lock(g_hooksMutex);
  g_hooks = std::move(hooks);
}

ReplayRequestHooks CurrentReplayRequestHooks() {
  std::lock_guard lock(g_hooksMutex);
  return g_hooks;
}

int RequestReplayLoad() {
  const ReplayRequestHooks hooks = CurrentReplayRequestHooks();
  return hooks.requestLoad ? hooks.requestLoad() : 0;
}
