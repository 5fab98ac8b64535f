#include "graphics/blits/screen_services.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "foundation/log.h"
#include "graphics/blits/batch.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/blits/fill.h"
#include "graphics/device/render_target.h"
#include "platform/message_box.h"
#include "platform/mouse.h"
#include "platform/text_encoding.h"

namespace {

// The dialogs and boxes open over a full screen, counted: a box opened over
// a dialog leaves the pointer shown for the dialog when it closes.
std::atomic<int> g_dialogBoxDepth{0};

int SheetRow(unsigned char c) {
  const int high = c >> 4;
  if (c >= 0xA6 && c <= 0xBF) return high - 10;
  if (c >= 0xC0 && c <= 0xDD) return high - 4;
  return high;
}

}  // namespace

void DDBmpTextOut(DDSURFACEDATA* lpDst, int x, int y, int cellW, int cellH, DDSURFACEDATA* lpSheet,
                  std::string_view text) {
  DDBeginBatch(0);
  int offset = 0, line = y;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == 0) break;
    if (c == '\n') {
      line += cellH;
      offset = 0;
      continue;
    }
    DDBlt(lpDst, x + offset, line, cellW, cellH, lpSheet, (c & 15) * cellW, SheetRow(c) * cellH, 1);
    offset += cellW;
    if (offset >= 640) {
      line += cellH;
      offset = 0;
    }
  }
  DDEndBatch();
}

void DDBmpPrintf(DDSURFACEDATA* lpDst, int x, int y, int cellW, int cellH, DDSURFACEDATA* lpSheet, const char* format,
                 ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  DDBmpTextOut(lpDst, x, y, cellW, cellH, lpSheet, buffer);
}

void DDDrawNumber(DDSURFACEDATA* lpDst, int x, int y, int cellW, int cellH, DDSURFACEDATA* lpStrip, int stripX,
                  int stripY, int flags, int value, int digits, int centred) {
  const std::string text = std::to_string(value < 0 ? 0 : value);
  const int n = static_cast<int>(text.size());
  int indent = 0;
  if (n < digits) indent = centred ? (digits - n) * cellW / 2 : (digits - n) * cellW;
  for (int i = 0; i < n; ++i)
    DDBlt(lpDst, x + indent + i * cellW, y, cellW, cellH, lpStrip, stripX + cellW * (text[i] - '0'), stripY, flags);
}

void DDPutPixel(DDSURFACEDATA* lpDst, int x, int y, int colour) {
  if (!lpDst || x < 0 || y < 0 || x >= lpDst->nWidth || y >= lpDst->nHeight) return;
  DDFillRect(lpDst, x, y, 1, 1, static_cast<std::uint32_t>(colour));
}

void DDDrawCircle(DDSURFACEDATA* lpDst, int cx, int cy, int radius, int colour) {
  if (radius < 1) return;
  int d = 3 - 2 * radius, x = 0, y = radius;
  while (x <= y) {
    const int points[8][2] = {{cx + x, cy + y}, {cx - x, cy + y}, {cx + x, cy - y}, {cx - x, cy - y},
                              {cx + y, cy + x}, {cx - y, cy + x}, {cx + y, cy - x}, {cx - y, cy - x}};
    for (const auto& p : points) DDPutPixel(lpDst, p[0], p[1], colour);
    if (d >= 0) {
      d += 4 * (x - y) + 10;
      --y;
    } else {
      d += 4 * x + 6;
    }
    ++x;
  }
}

int DDSetDialogBoxMode(int bOn) {
  if (g_DDState.nWindowMode != 0) return 1;
  if (bOn && lpDTCon) DDEndScene();
  // The dialogs and boxes take clicks: the pointer shows while one is open.
  const int open = bOn ? ++g_dialogBoxDepth : --g_dialogBoxDepth;
  platform::ShowPointer(open > 0);
  return 1;
}

int DDMesBox(std::string_view text, std::string_view caption, unsigned type) {
  if (!DDSetDialogBoxMode(1)) {
    DebugLogF(Cp932Literal("DDMesBox 失敗! %s, %s"), std::string(text).c_str(), std::string(caption).c_str());
    return 0;
  }
  platform::ShowMessageBox(platform::Utf8FromCp932(text), platform::Utf8FromCp932(caption), type);
  DDSetDialogBoxMode(0);
  return 1;
}
