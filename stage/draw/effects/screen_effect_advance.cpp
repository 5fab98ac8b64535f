#include "stage/draw/effects/screen_effect_advance.h"

#include "stage/core/double_to_int.h"

namespace {

// trunc((end - start) / T x value + start); a run time of zero or less is at
// its end at once.
int MovedCounter(int start, int end, int tenths, double value) {
  if (tenths <= 0) return end;
  return TruncToInt((static_cast<double>(end) - start) / tenths * value + start);
}

int UpdateMove(cScrEffectSlot& s) {
  const int tenths = s.Param(0);
  s.counterA = MovedCounter(s.Param(1), s.Param(3), tenths, s.value);
  s.counterB = MovedCounter(s.Param(2), s.Param(4), tenths, s.value);
  return StepScrEffect(s, 0, tenths, s.step);
}

// The shake offset swings between +P1 and -P1 at P2 x P1 x 4 / (T x 6) dots
// per frame.
int UpdateShake(cScrEffectSlot& s) {
  const int tenths = s.Param(0);
  const double amplitude = s.Param(1);
  double speed = static_cast<double>(s.Param(2)) * amplitude * 4.0;
  if (tenths > 0) speed /= tenths * 6.0;
  if (s.counterA == 0) {
    s.secondValue += speed;
    if (s.secondValue >= amplitude) {
      s.secondValue = amplitude;
      s.counterA = 1;
    }
  } else {
    s.secondValue -= speed;
    if (s.secondValue <= -amplitude) {
      s.secondValue = -amplitude;
      s.counterA = 0;
    }
  }
  return StepScrEffect(s, 0, tenths, s.step);
}

int UpdateWave(cScrEffectSlot& s) {
  if (++s.counterA >= 360) s.counterA = 0;
  return StepScrEffect(s, s.Param(1), s.Param(2), s.step);
}

int UpdateBlink(cScrEffectSlot& s) {
  ++s.counterA;
  return StepScrEffect(s, 0, s.Param(0), s.step);
}

int UpdateSlot(cScrEffectSlot& s) {
  switch (s.Kind()) {
    case kScreenEffectMove: return UpdateMove(s);
    case kScreenEffectShakeH:
    case kScreenEffectShakeV: return UpdateShake(s);
    case kScreenEffectWaveH:
    case kScreenEffectWaveV: return UpdateWave(s);
    case kScreenEffectBlink: return UpdateBlink(s);
    case kScreenEffectNone: return 0;
    default: return StepScrEffect(s, s.Param(1), s.Param(2), s.step);
  }
}

}  // namespace

void AdvanceScreenEffect(ScreenEffectFrame& frame, int hold) {
  cScrEffectSlot& s = frame.current;
  frame.finished = 0;
  if (s.number != 0 && s.Kind() == kScreenEffectBlink && s.counterA >= s.Param(1)) {
    s.counterA = 0;
    s.counterB = s.counterB ? 0 : 1;
  }
  frame.shown = s;
  if (s.number == 0 || hold) return;
  if (UpdateSlot(s)) {
    s.number = 0;
    frame.finished = 1;
  }
}

void StartScreenEffect(ScreenEffectFrame& frame, int n, int mode, int loop) {
  if (n == 0) {
    frame.current.number = 0;
    frame.finished = 1;
    return;
  }
  SelectScrEffect(frame.current, n, mode, loop);
}
