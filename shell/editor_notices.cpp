#include "shell/editor_notices.h"

#include "platform/editor_link.h"

namespace {
constexpr std::uint32_t kStartNotice = 1;
constexpr std::uint32_t kEndNotice = 0;
}  // namespace

void NotifyEditorStart() { platform::SendEditorNotice(kStartNotice, 1); }

void NotifyEditorEnd(std::uint32_t value) { platform::SendEditorNotice(kEndNotice, value); }
