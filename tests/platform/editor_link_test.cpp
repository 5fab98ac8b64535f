#include "platform/editor_link.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "tests/support/editor_listener.h"

namespace {

TEST(EditorLink, WithoutTheVariableNothingIsSent) {
  ::unsetenv(platform::kEditorSocketVariable);
  EXPECT_FALSE(platform::StartedByEditor());
  EXPECT_FALSE(platform::SendEditorNotice(1, 1));
}

TEST(EditorLink, NoticesArriveInOrderWithOurProcessId) {
  EditorListener editor;
  ASSERT_TRUE(platform::StartedByEditor());
  EXPECT_TRUE(platform::SendEditorNotice(1, 1));
  EXPECT_TRUE(platform::SendEditorNotice(0, 7));
  auto notices = editor.Stop();
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0], (EditorNotice{static_cast<std::uint32_t>(::getpid()), 1, 1}));
  EXPECT_EQ(notices[1], (EditorNotice{static_cast<std::uint32_t>(::getpid()), 0, 7}));
}

TEST(EditorLink, AMissingEditorIsNoFailureOfThePlayer) {
  ::setenv(platform::kEditorSocketVariable, "/nonexistent/editor.sock", 1);
  EXPECT_TRUE(platform::StartedByEditor());
  EXPECT_FALSE(platform::SendEditorNotice(1, 1));
  ::unsetenv(platform::kEditorSocketVariable);
}

}  // namespace
