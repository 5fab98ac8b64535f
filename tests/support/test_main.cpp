// Entry point of every test binary: tests run on the headless platform.
#include <gtest/gtest.h>

#include "platform/backend.h"

// The sanitizer build's leak check is told of the one library that keeps its
// memory on purpose: SDL's video start-up connects to the session bus, and
// libdbus holds that connection's buffers until the process ends (the display
// checks start SDL's video against displays that are not there).
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
#endif
#endif

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Headless);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
