#include "platform/ui_events.h"

#include <deque>
#include <mutex>
#include <utility>

#include "platform/backend.h"
#include "platform/sdl/ui_events.h"

namespace platform {
namespace {

std::mutex g_scriptMutex;
std::deque<UiEvent> g_script;

}  // namespace

UiEvent KeyDownEvent(int key, bool ctrl, bool shift) {
  UiEvent event;
  event.kind = UiEventKind::KeyDown;
  event.key = key;
  event.ctrl = ctrl;
  event.shift = shift;
  return event;
}

UiEvent KeyUpEvent(int key, bool ctrl, bool shift) {
  UiEvent event = KeyDownEvent(key, ctrl, shift);
  event.kind = UiEventKind::KeyUp;
  return event;
}

UiEvent TextEvent(std::string utf8) {
  UiEvent event;
  event.kind = UiEventKind::Text;
  event.text = std::move(utf8);
  return event;
}

UiEvent CompositionEvent(std::string utf8, int cursor) {
  UiEvent event;
  event.kind = UiEventKind::Composition;
  event.text = std::move(utf8);
  event.cursor = cursor;
  return event;
}

UiEvent MouseEvent(UiEventKind kind, int x, int y, int button, UiSurface surface) {
  UiEvent event;
  event.kind = kind;
  event.surface = surface;
  event.x = x;
  event.y = y;
  event.button = button;
  return event;
}

UiEvent CloseEvent(UiSurface surface) {
  UiEvent event;
  event.kind = UiEventKind::Close;
  event.surface = surface;
  return event;
}

void StartTextInput(UiSurface surface, int x, int y, int width, int height) {
  if (CurrentBackend() == Backend::Sdl) sdl::StartTextInput(surface, x, y, width, height);
}

void StopTextInput() {
  if (CurrentBackend() == Backend::Sdl) sdl::StopTextInput();
}

void QueueHeadlessUiEvents(const std::vector<UiEvent>& events) {
  std::lock_guard lock(g_scriptMutex);
  g_script.insert(g_script.end(), events.begin(), events.end());
}

bool HeadlessUiScriptEmpty() {
  std::lock_guard lock(g_scriptMutex);
  return g_script.empty();
}

void ClearHeadlessUiScript() {
  std::lock_guard lock(g_scriptMutex);
  g_script.clear();
}

bool TakeHeadlessUiEvent(UiEvent& event) {
  std::lock_guard lock(g_scriptMutex);
  if (g_script.empty()) return false;
  event = std::move(g_script.front());
  g_script.pop_front();
  return true;
}

}  // namespace platform
