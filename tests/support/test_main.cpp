// Entry point of every test binary: tests run on the headless platform.
#include <gtest/gtest.h>

#include "platform/backend.h"

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Headless);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
