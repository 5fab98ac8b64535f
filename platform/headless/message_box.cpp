#include "platform/headless/message_box.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <utility>

#include "platform/message_box.h"

namespace platform {
namespace {
std::atomic<BoxAnswer> g_scriptedAnswer{kAnswerYes};
std::atomic<bool> g_systemBoxesShow{true};
std::mutex g_shownMutex;
std::vector<ShownBox> g_shown;

bool Offers(unsigned type, BoxAnswer answer) {
  switch (type & kBoxButtonsMask) {
    case kBoxOkCancel:
      return answer == kAnswerOk || answer == kAnswerCancel;
    case kBoxYesNoCancel:
      return answer == kAnswerYes || answer == kAnswerNo || answer == kAnswerCancel;
    case kBoxYesNo:
      return answer == kAnswerYes || answer == kAnswerNo;
    default:
      return answer == kAnswerOk;
  }
}

int FirstButton(unsigned type) {
  unsigned buttons = type & kBoxButtonsMask;
  return buttons == kBoxYesNo || buttons == kBoxYesNoCancel ? kAnswerYes : kAnswerOk;
}
}  // namespace

void SetHeadlessSystemBoxesShow(bool canShow) { g_systemBoxesShow.store(canShow); }

void SetHeadlessBoxAnswer(BoxAnswer answer) { g_scriptedAnswer.store(answer); }

std::vector<ShownBox> TakeHeadlessBoxes() {
  std::lock_guard lock(g_shownMutex);
  return std::exchange(g_shown, {});
}

namespace headless {
std::optional<int> ShowMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type) {
  if (!g_systemBoxesShow.load()) return std::nullopt;
  BoxAnswer scripted = g_scriptedAnswer.load();
  int answer = Offers(type, scripted) ? scripted : FirstButton(type);
  std::fprintf(stderr, "[message box] %s: %s -> %d\n", utf8Caption.c_str(), utf8Text.c_str(), answer);
  std::lock_guard lock(g_shownMutex);
  g_shown.push_back({utf8Text, utf8Caption, type, answer});
  return answer;
}
}  // namespace headless

}  // namespace platform
