#include "platform/backend.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<Backend> g_backend{Backend::Sdl};
}

void SelectBackend(Backend backend) { g_backend.store(backend); }

Backend CurrentBackend() { return g_backend.load(); }

}  // namespace platform
