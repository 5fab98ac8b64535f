#include "commands/flows/loop_expansion.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "foundation/log.h"

namespace {

constexpr int kItemLoopKind = 24;

void RemoveLoopCommands(cVector<cEdCmd>& list) {
  list.erase(std::remove_if(list.begin(), list.end(), IsLoopCommand), list.end());
}

}  // namespace

bool IsLoopCommand(const cEdCmd& command) {
  return (command.m_nFamily == kFamilyChara && command.m_nKind == kCmdLoop) ||
         (command.m_nFamily == kFamilyItem && command.m_nKind == kItemLoopKind);
}

bool ExpandFirstLoop(cVector<cEdCmd>& list) {
  const auto loop = std::find_if(list.begin(), list.end(), IsLoopCommand);
  if (loop == list.end()) return false;
  const auto position = static_cast<std::size_t>(loop - list.begin());
  const std::int64_t rest = static_cast<std::int64_t>(list.size() - position - 1);
  const std::int64_t count = std::max<std::int64_t>(loop->ParamOrZero(0), 0);
  const std::int64_t span = std::clamp<std::int64_t>(loop->ParamOrZero(1), 0, rest);
  if (span > 0 && count > 1) {
    const std::int64_t added = (count - 1) * span;
    if (static_cast<std::int64_t>(list.size()) - 1 + added > static_cast<std::int64_t>(kMaxExpandedCommands)) {
      ReportAndLog("loop expansion stopped: %lld commands", static_cast<long long>(list.size() - 1 + added));
      RemoveLoopCommands(list);
      return false;
    }
    const std::vector<cEdCmd> block(list.begin() + static_cast<long long>(position) + 1,
                                    list.begin() + static_cast<long long>(position) + 1 + span);
    std::vector<cEdCmd> copies;
    copies.reserve(static_cast<std::size_t>(added));
    for (std::int64_t i = 1; i < count; ++i) copies.insert(copies.end(), block.begin(), block.end());
    list.insert(list.begin() + static_cast<long long>(position) + 1, copies.begin(), copies.end());
  }
  list.erase(list.begin() + static_cast<long long>(position));
  return true;
}

void ExpandLoopCommands(cVector<cEdCmd>& list) {
  while (ExpandFirstLoop(list)) {
  }
}
