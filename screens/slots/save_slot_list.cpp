#include "screens/slots/save_slot_list.h"

#include <filesystem>
#include <system_error>

#include "foundation/game_files.h"
#include "foundation/text_format.h"
#include "graphics/blits/fill.h"
#include "graphics/text/font_setup.h"
#include "screens/menu/text_layout.h"

namespace {

constexpr int kListWidth = 320;
constexpr int kSeparatorColour = 240;
constexpr int kNumberLeft = 16;
constexpr int kTimeLeft = 64;

bool SlotFileExists(int slot) {
  std::error_code error;
  return std::filesystem::is_regular_file(ResolveGamePath(MakeSaveFileName(slot)), error);
}

}  // namespace

void RefreshSaveSlots(cVector<cSaveSlot>& list) {
  const cSaveData fresh;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const int slot = static_cast<int>(i);
    cSaveSlot& entry = list[slot];
    if (!SlotFileExists(slot)) {
      entry.m_bValid = 0;
      entry.m_bUnloadable = 0;
      continue;
    }
    cSaveData work(fresh);
    if (LoadFile(work, MakeSaveFileName(slot))) {
      entry.SetTime(work);
    } else {
      entry.m_bValid = 1;
      entry.m_bUnloadable = 1;
      entry.m_Time = SYSTEMTIME{};
    }
  }
}

std::string SlotTimeText(const cSaveSlot& slot) {
  const SYSTEMTIME& t = slot.m_Time;
  std::string text;
  Format(text, "%04d/%02d/%02d %02d:%02d\n", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
  return text;
}

void DrawSaveSlots(DDSURFACEDATA* surface, int x, int y, const cVector<cSaveSlot>& list, int firstRow, int rows) {
  Font& font = g_Fonts[kMenuFont];
  font.DrawBox(surface, x, y, kListWidth, kMenuCell * rows);
  for (int row = 0; row < rows; ++row, y += kMenuCell) {
    if (row != rows - 1) DDFillRect(surface, x, y + kMenuCell - 1, kListWidth, 1, kSeparatorColour);
    const long long slot = static_cast<long long>(firstRow) + row;
    if (slot < 0 || slot >= static_cast<long long>(list.size())) break;
    font.Printf(surface, x + kNumberLeft, y, "%d", static_cast<int>(slot) + 1);
    const cSaveSlot& entry = list[slot];
    if (entry.m_bValid && !entry.m_bUnloadable) font.Printf(surface, x + kTimeLeft, y, "%s", SlotTimeText(entry).c_str());
  }
}
