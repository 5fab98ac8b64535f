#include "platform/message_box.h"

#include <mutex>

#include "platform/backend.h"
#include "platform/headless/message_box.h"
#include "platform/sdl/message_box.h"

namespace platform {
namespace {
std::mutex g_overrideMutex;
MessageBoxOverride g_override;
}  // namespace

void SetMessageBoxOverride(MessageBoxOverride box) {
  std::lock_guard lock(g_overrideMutex);
  g_override = std::move(box);
}

int ShowMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type) {
  MessageBoxOverride box;
  {
    std::lock_guard lock(g_overrideMutex);
    box = g_override;
  }
  if (box) return box(utf8Text, utf8Caption, type);
  return ShowSystemMessageBox(utf8Text, utf8Caption, type);
}

int ShowSystemMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type) {
  if (CurrentBackend() == Backend::Headless) return headless::ShowMessageBox(utf8Text, utf8Caption, type);
  return sdl::ShowMessageBox(utf8Text, utf8Caption, type);
}

}  // namespace platform
