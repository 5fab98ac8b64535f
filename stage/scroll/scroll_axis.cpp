#include "stage/scroll/scroll_axis.h"

void ScrollAxis::Setup(int axisKind, int windowDots, int marginCells, int extentCells, int extraSetting) {
  kind = axisKind;
  window = windowDots;
  margin = marginCells;
  extent = extentCells;
  extraDots = extraSetting + 640;
  base = margin * 32;
  defaultUpper = (extent - margin) * 32;
  if (defaultUpper < 0) defaultUpper = 0;
  lower = base;
  upper = defaultUpper;
  atLimit = 0;
  if (kind == 0) {
    rowShift = BitLength(static_cast<unsigned int>(extent > 0 ? extent - 1 : 0));
    rowLength = 1 << rowShift;
  }
}

void ScrollAxis::SetSpeed(int on, int n, double level) {
  if (on) {
    speed = n * 0.1 / level;
    running = 1;
  } else {
    speed = 0;
    running = 0;
  }
}

void ScrollAxis::SetRange(int startCell, int endCell, int useStart, int useEnd) {
  lower = useStart ? base + startCell * 32 : base;
  if (useEnd) {
    upper = base + (endCell + 1) * 32;
    if (upper < lower) upper = lower;
  } else {
    upper = defaultUpper;
  }
}

void ScrollAxis::Clamp() {
  if (position <= lower) {
    position = lower;
    atLimit = 1;
    return;
  }
  if (position + window < upper) {
    atLimit = 0;
    return;
  }
  position = upper - window;
  if (position < lower) position = lower;
  atLimit = 1;
}

void ScrollAxis::Step() {
  position += speed;
  Clamp();
}

int BitLength(unsigned int n) {
  int bits = 0;
  while (n != 0) {
    ++bits;
    n >>= 1;
  }
  return bits;
}
