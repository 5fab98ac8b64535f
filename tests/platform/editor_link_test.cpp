#include "platform/editor_link.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
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

TEST(EditorLink, AnEditorThatKeepsTalkingCannotHoldThePlayerPastTheTimeout) {
  const auto path = std::filesystem::temp_directory_path() / ("chatty_editor_" + std::to_string(::getpid()));
  std::filesystem::remove(path);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, path.c_str());
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 1), 0);
  // Accepts the notice, then sends a byte every 200 ms for a minute without
  // closing (it stops once the player has hung up).
  std::thread editor([listener] {
    const int connection = ::accept(listener, nullptr, nullptr);
    for (int i = 0; i < 300 && connection >= 0; ++i) {
      if (::send(connection, "x", 1, MSG_NOSIGNAL) != 1) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    if (connection >= 0) ::close(connection);
  });
  ::setenv(platform::kEditorSocketVariable, path.c_str(), 1);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(platform::SendEditorNotice(1, 1));
  // Far past the timeout, far short of the editor's minute: a loaded machine
  // cannot make it fail, a player held by the chatter does.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  ::unsetenv(platform::kEditorSocketVariable);
  editor.join();
  ::close(listener);
  std::filesystem::remove(path);
}

}  // namespace
