#include "foundation/message_box.h"

#include <map>
#include <mutex>

#include "platform/text_encoding.h"

namespace {
std::mutex g_routeMutex;
MesBoxRoute g_route;
}  // namespace

int MesBox(std::string_view text, std::string_view caption, unsigned type) {
  MesBoxRoute route;
  {
    std::lock_guard lock(g_routeMutex);
    route = g_route;
  }
  if (route) return route(text, caption, type);
  return platform::ShowMessageBox(platform::Utf8FromCp932(text), platform::Utf8FromCp932(caption), type);
}

int ErrorBox(std::string_view text) { return MesBox(text, Cp932Literal("エラー"), MB_OK); }

int ErrorBoxF(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  return ErrorBox(text);
}

void SetMesBoxRoute(MesBoxRoute route) {
  std::lock_guard lock(g_routeMutex);
  g_route = std::move(route);
}

const char* Cp932Literal(const char* utf8) {
  static std::mutex mutex;
  // Node-based, so the stored strings never move.
  static std::map<std::string, std::string, std::less<>> converted;
  std::lock_guard lock(mutex);
  auto found = converted.find(std::string_view(utf8));
  if (found == converted.end()) found = converted.emplace(utf8, platform::Cp932FromUtf8(utf8)).first;
  return found->second.c_str();
}
