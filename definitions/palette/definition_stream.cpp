#include "definitions/palette/definition_stream.h"

namespace {
constexpr std::uint32_t kShotCellsMovedIn = 219;
constexpr std::uint16_t kLastShotCell = 119;
}  // namespace

void ReadInheritFlags(DataReader& in, cVector<std::uint8_t>& flags, std::size_t groups) {
  const std::int32_t count = in.ReadCount(1);
  if (count < 0) in.Fail("negative inheritance flag count");
  if (!in.ok()) return;
  flags.assign(static_cast<std::size_t>(count), 0);
  in.ReadArray(flags.data(), flags.size());
  flags.resize(groups, 0);
}

void WriteInheritFlags(DataWriter& out, const cVector<std::uint8_t>& flags) {
  out.WriteCount(flags.size());
  out.WriteArray(flags.data(), flags.size());
}

std::uint16_t UpgradeShotGraphic(std::uint32_t version, std::uint8_t kind, std::uint16_t number) {
  if (version >= kShotCellsMovedIn || kind != kGraphicKindShot) return number;
  return number >= kLastShotCell ? kLastShotCell : static_cast<std::uint16_t>(number + 1);
}
