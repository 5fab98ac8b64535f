#include "foundation/checked_vector.h"

#include <climits>

#include "foundation/log.h"
#include "platform/main_thread.h"

namespace checked_detail {

void ReportBadIndex(char kind, long long index, std::size_t count, int elementSize) {
  // The line shows ints; an index or count beyond them is shown clamped.
  auto shown = [](long long value) {
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
  };
  std::string text;
  Format(text, "err %c[%d] ( %d , %d )", kind, shown(index), shown(static_cast<long long>(count)), elementSize);
  DebugLog(text);
  Report("%s", text.c_str());
  platform::RequestClose();
}

}  // namespace checked_detail
