#include "commands/dispatch/directions.h"

#include <array>

#include "stage/core/data_index.h"

namespace {

constexpr std::array<int, 10> kChoiceCodes = {kDirFacing, kDirLeft,      kDirRight,   kDirUp,         kDirDown,
                                              kDirUpLeft, kDirDownLeft, kDirUpRight, kDirDownRight, kDirFacing};

int FacingCode(int facingRight) { return facingRight ? kDirRight : kDirLeft; }

}  // namespace

int MapDirChoice(int choice, int raw, int facingRight) {
  if (!DataIndexOk(choice, kChoiceCodes.size(), 4)) return FacingCode(facingRight);
  if (choice >= 1 && choice <= 8) return kChoiceCodes[static_cast<std::size_t>(choice)];
  if (choice == 9 && raw) return kDirFacing;
  return FacingCode(facingRight);
}

int ResolveFacingCode(int code, int facingRight) {
  switch (code) {
    case kDirFacing: return FacingCode(facingRight);
    case kDirBack: return FacingCode(!facingRight);
    case kDirFacingY: return facingRight ? kDirDown : kDirUp;
    case kDirBackY: return facingRight ? kDirUp : kDirDown;
    default: return code;
  }
}
