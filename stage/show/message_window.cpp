#include "stage/show/message_window.h"

#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/text/font.h"
#include "graphics/text/font_setup.h"
#include "stage/show/message_record.h"

namespace {

constexpr int kMargin = 1;

bool HasScreen() { return g_DDState.bInitialized != 0; }

// With the normal font's glyph caches in use a message is measured and
// drawn cell by cell; without them by the face's own advances, so that the
// window always holds the text as it is drawn.
bool ByCells(const Font& font) { return font.m_nUseCaches != 0 && font.m_lpFastFont_Half != nullptr; }

void ClearToTransparent(DDSURFACEDATA* surface) {
  if (lpDTCon != nullptr) DDFillSurfaceRGB(surface, 0);
  else DDFillSurface(surface, 0);
}

}  // namespace

text_layout::TextSize MeasureMessageText(const std::string& text) {
  const Font& font = g_Fonts[kMessageFont];
  text_layout::TextSize size = ByCells(font) ? MeasureTextBlock(&font, text.c_str()) : MeasureTextGDI(&font, text.c_str());
  size.width += 2 * kMargin;
  size.height += 2 * kMargin;
  return size;
}

void ReleaseMessageWindow(cMessage& message) {
  if (message.window.made) DDReleaseSurface(&message.window.surface);
  message.window.made = false;
  message.window.drawnText.clear();
}

void UpdateMessageWindow(cMessage& message) {
  if (!HasScreen() || message.setup.kind != kMessageText || message.shownText.empty()) return;
  MessageWindow& window = message.window;
  if (window.made && (window.surface.nWidth != message.width || window.surface.nHeight != message.height))
    ReleaseMessageWindow(message);
  if (!window.made) {
    if (!DDCreateSurface(&window.surface, message.width, message.height, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return;
    window.made = true;
    window.surface.bLost = 1;
  }
  if (!window.surface.bLost && window.drawnText == message.shownText) return;
  ClearToTransparent(&window.surface);
  Font& font = g_Fonts[kMessageFont];
  if (ByCells(font)) font.Draw(&window.surface, kMargin, kMargin, message.shownText.c_str());
  else font.DrawAtAdvances(&window.surface, kMargin, kMargin, message.shownText.c_str());
  window.drawnText = message.shownText;
  window.surface.bLost = 0;
}
