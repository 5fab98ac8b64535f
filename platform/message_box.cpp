#include "platform/message_box.h"

#include <cstdio>
#include <mutex>

#include "platform/backend.h"
#include "platform/headless/message_box.h"
#include "platform/main_thread.h"
#include "platform/sdl/message_box.h"
#include "platform/window.h"

namespace platform {
namespace {
std::mutex g_overrideMutex;
MessageBoxOverride g_override;
}  // namespace

void SetMessageBoxOverride(MessageBoxOverride box) {
  std::lock_guard lock(g_overrideMutex);
  g_override = std::move(box);
}

int ShowMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type) {
  if (TerminationRaised()) return ClosedBoxAnswer(type);
  // Under a video driver that shows nothing (a script's or CI's choice) no
  // one could see a box, let alone answer it.
  if (VideoDriverShowsNothing()) return AnswerUnshownBox(utf8Text, utf8Caption, type);
  MessageBoxOverride box;
  {
    std::lock_guard lock(g_overrideMutex);
    box = g_override;
  }
  if (box) return box(utf8Text, utf8Caption, type);
  return ShowSystemMessageBox(utf8Text, utf8Caption, type);
}

int ShowSystemMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type) {
  if (auto answer = TrySystemMessageBox(utf8Text, utf8Caption, type)) return *answer;
  return AnswerUnshownBox(utf8Text, utf8Caption, type);
}

std::optional<int> TrySystemMessageBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type) {
  if (CurrentBackend() == Backend::Headless) return headless::ShowMessageBox(utf8Text, utf8Caption, type);
  if (auto answer = sdl::ShowMessageBox(utf8Text, utf8Caption, type)) return answer;
  // A termination ended the desktop's box: it answered as its close box, and
  // no other box takes its place.
  if (TerminationRaised()) return ClosedBoxAnswer(type);
  return std::nullopt;
}

int AnswerUnshownBox(const std::string& utf8Text, const std::string& utf8Caption, unsigned type) {
  std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
  return ClosedBoxAnswer(type);
}

int ClosedBoxAnswer(unsigned type) {
  switch (type & kBoxButtonsMask) {
    case kBoxOkCancel:
    case kBoxYesNoCancel:
      return kAnswerCancel;
    case kBoxYesNo:
      return kAnswerNo;
    default:
      return kAnswerOk;
  }
}

}  // namespace platform
