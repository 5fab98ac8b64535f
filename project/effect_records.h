#pragma once
// Effect records of the database: point-effect animations ("Effect.dat"),
// character effects ("CharaEffect.dat") and screen effects ("ScrEffect.dat").

#include <array>
#include <cstdint>
#include <string>
#include "foundation/checked_vector.h"

#include "foundation/record.h"
#include "project/effect_param_defaults.h"
#include "project/file_entry_record.h"

// A pair of ints: a frame {pattern, time in tenths of a second} of an effect.
class cIntPair : public cRecord {
 public:
  static constexpr int kLoggedSize = 44;
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;

  std::int32_t nFirst = 0;
  std::int32_t nSecond = 0;
};

class cEffect : public cFileEntryRecord {
 public:
  static constexpr int kLoggedSize = 100;
  cEffect();
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;
  // Cleared, cells of 32 x 32, one frame {0, 1}.
  void SetDefaults();

  std::int32_t m_nCellWidth = 32;   // pattern n lies at x = n x width, y = 0
  std::int32_t m_nCellHeight = 32;
  std::int32_t m_nValue = 0;
  cVector<cIntPair> m_vFrames;
};

// The layout that character and screen effects share: a kind (0 = none) and
// the five parameters of that kind (run time, then P1..P4).
class cEffectKindRecord : public cRecord {
 public:
  static constexpr int kLoggedSize = 76;
  static constexpr std::uint32_t kParamDefaultsBelow = 511;

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;

  std::string m_strName;
  std::int32_t m_nKind = 1;
  std::array<std::int32_t, 5> m_anParam = {};

 protected:
  // Files older than 511 lacked one parameter of a few kinds; it takes the
  // default of the kind's parameter table.
  void FillOldParam(std::uint32_t version, std::int32_t kind, std::size_t param, const EffectParamRow& defaults);
};

class cCharaEffect : public cEffectKindRecord {
 public:
  void Load(DataReader& in) override;
};

class cScrEffect : public cEffectKindRecord {
 public:
  void Load(DataReader& in) override;
};
