#include "screens/menu/command_menu.h"

#include <algorithm>

#include "foundation/log.h"
#include "foundation/message_box.h"

int CountVisibleCmds(const cCmd& list) {
  return static_cast<int>(
      std::count_if(list.begin(), list.end(), [](const cCmdItem& item) { return item.m_bVisible != 0; }));
}

int GetCmdNum(int n, const cCmd& list) {
  int visible = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[static_cast<long long>(i)].m_bVisible == 0) continue;
    if (visible == n) return static_cast<int>(i);
    ++visible;
  }
  DebugBoxF("%s", Cp932Literal("cCmd::GetCmdNum 番号が不正です！"));
  return 0;
}
