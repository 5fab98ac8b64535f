#include "platform/graphics_driver_environment.h"

#include <cstdlib>

namespace platform {

void SetGraphicsDriverEnvironment() {
  // Not overwritten: a user's own setting wins.
  ::setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
}

}  // namespace platform
