#include "input/key_hook.h"

#include "foundation/log.h"
#include "platform/ui_events.h"

namespace {

// The hook runs on the main thread only, like the dialogs it serves.
bool g_installed = false;
bool g_ctrlHeld = false;
cHookWindow* g_activeWindow = nullptr;

// A hook code that only peeks at a key that stays queued.
constexpr int kHookNoRemove = 3;

}  // namespace

cHook::~cHook() {
  if (m_hWnd && m_hWnd->m_pHook == this) m_hWnd->m_pHook = nullptr;
}

int cHook::SetHook(cHookWindow* window, int bCtrlFilter) {
  m_hWnd = window;
  m_bCtrlFilter = bCtrlFilter;
  if (window) window->m_pHook = this;
  g_installed = true;
  return 1;
}

int cHook::Unhook() {
  const bool was = g_installed;
  g_installed = false;
  g_ctrlHeld = false;
  return was ? 1 : 0;
}

bool cHook::Installed() { return g_installed; }

bool cHook::CtrlHeld() { return g_ctrlHeld; }

bool cHook::IsForwardKey(int key) {
  using namespace platform;
  return key == kVkSpace || (key >= kVkLeft && key <= kVkDown) || key == kVkDelete ||
         (key >= kVkF1 && key <= kVkF1 + 7);
}

void cHook::SetActiveWindow(cHookWindow* window) { g_activeWindow = window; }

int cHook::KeyboardProc(int code, int key, std::uint32_t data) {
  using namespace platform;
  if (!g_installed || code < 0 || code == kHookNoRemove) return 0;
  cHookWindow* window = g_activeWindow;
  // Without a window there is no input context to ask.
  if (!window) DebugLogF("Err ImmGetContext");
  const bool composing = window && window->IsComposing();
  const cHook* hook = window ? window->m_pHook : nullptr;
  if (!hook) return (!composing && key == kVkEscape) ? 1 : 0;
  if (hook->m_hWnd != window) return 0;
  auto filtered = [hook] { return hook->m_bCtrlFilter && g_ctrlHeld; };
  if (data & kKeyDataUp) {
    if (key == kVkControl) g_ctrlHeld = false;
    if (!filtered()) window->PostKeyMessage(WM_KEYUP, key, data);
    return 0;
  }
  if (key == kVkTab) return 0;
  if (key == kVkReturn) {
    if (composing) return 0;
  } else if (!composing && IsForwardKey(key)) {
    window->PostKeyMessage(WM_HOOK_FORWARDKEY, key, data);
    return 0;
  } else if (key == kVkControl) {
    g_ctrlHeld = true;
  }
  if (!filtered()) window->PostKeyMessage(WM_KEYDOWN, key, data);
  return 0;
}
