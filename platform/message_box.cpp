#include "platform/message_box.h"

#include "platform/backend.h"
#include "platform/headless/message_box.h"
#include "platform/sdl/message_box.h"

namespace platform {

int ShowMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type) {
  if (CurrentBackend() == Backend::Headless) return headless::ShowMessageBox(utf8Text, utf8Caption, type);
  return sdl::ShowMessageBox(utf8Text, utf8Caption, type);
}

}  // namespace platform
