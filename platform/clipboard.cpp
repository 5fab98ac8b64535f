#include "platform/clipboard.h"

#include <SDL.h>

#include <mutex>

#include "platform/backend.h"

namespace platform {
namespace {

std::mutex g_headlessMutex;
std::string g_headlessClipboard;

}  // namespace

std::string ClipboardText() {
  if (CurrentBackend() == Backend::Headless) {
    std::lock_guard lock(g_headlessMutex);
    return g_headlessClipboard;
  }
  char* text = SDL_GetClipboardText();
  if (!text) return {};
  std::string result = text;
  SDL_free(text);
  return result;
}

void SetClipboardText(std::string_view utf8) {
  if (CurrentBackend() == Backend::Headless) {
    std::lock_guard lock(g_headlessMutex);
    g_headlessClipboard = utf8;
    return;
  }
  SDL_SetClipboardText(std::string(utf8).c_str());
}

}  // namespace platform
