#include "screens/common/visible_commands.h"


#include "foundation/log.h"

std::vector<int> VisibleCommands(const cVector<cCmdItem>& list, int knownCommands, std::string_view screen) {
  std::vector<int> commands;
  const int count = static_cast<int>(list.size());
  for (int i = 0; i < count; ++i) {
    if (list[i].m_bVisible == 0) continue;
    if (i >= knownCommands) {
      Report("%s: menu entry %d ignored (the screen knows %d commands)", std::string(screen).c_str(), i,
             knownCommands);
      continue;
    }
    commands.push_back(i);
  }
  if (commands.empty()) commands.push_back(0);
  return commands;
}

const std::string& CommandName(const cVector<cCmdItem>& list, int command) {
  static const std::string kNone;
  return command >= 0 && command < static_cast<int>(list.size()) ? list[command].m_strName : kNone;
}
