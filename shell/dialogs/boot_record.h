#pragma once
// "user_data\Boot.dat": the drawing mode chosen in the start-up dialog
// (1 Direct3D, 0 DirectDraw) and whether to skip the dialog next time.

#include <cstdint>

#include "foundation/record.h"

class cBootData final : public cRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;

  std::int32_t nDrawMode = 0;
  std::int32_t bNoAsk = 0;
};

extern cBootData g_BootData;
