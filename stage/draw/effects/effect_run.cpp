#include "stage/draw/effects/effect_run.h"

#include "foundation/log.h"

void ReportBadEffectNumber(const char* what, long long number, std::size_t count) {
  Report("%s effect %lld is not defined (%zu definitions)", what, number, count);
}
