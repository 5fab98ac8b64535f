#include "stage/core/data_index.h"

#include <climits>

#include "foundation/log.h"

bool DataIndexOk(long long index, std::size_t count, int elementSize) {
  if (index >= 0 && static_cast<unsigned long long>(index) < count) return true;
  auto shown = [](long long value) {
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
  };
  ReportAndLogOnce("err V[%d] ( %d , %d )", shown(index), shown(static_cast<long long>(count)), elementSize);
  return false;
}
