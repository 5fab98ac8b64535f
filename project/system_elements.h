#pragma once
// The small records inside the project's system record: status-panel items,
// per-mode ranking settings, start-up option entries and menu entries.

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/checked_vector.h"
#include "foundation/record.h"

// One item of the status panel along the top of the stage screen.
class cGaugeEntry : public cRecord {
 public:
  static constexpr int kLoggedSize = 76;

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;

  std::int32_t m_bShow = 0;
  std::int32_t m_bIcon = 0;
  std::string m_strText;            // empty: the panel's own fallback text
  std::int32_t m_bGaugeNumber = 0;  // HP and SP: the number is drawn over the gauge
  std::int32_t m_nDigits = 0;
  std::int32_t m_nThreshold = 0;    // HP and SP: low colour at or below this
  std::int32_t m_bThresholdPercent = 0;
};

// The ranking of one play mode: on or off, and one flag per genre.
class cRankingSetting : public cRecord {
 public:
  static constexpr int kLoggedSize = 56;
  static constexpr std::size_t kGenres = 5;

  cRankingSetting();
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;

  std::int32_t m_bOn = 0;
  cVector<std::uint8_t> m_vGenre;
};

// One start-up setting of "System.ini": its key and its default value.
class cOptionEntry : public cRecord {
 public:
  static constexpr int kLoggedSize = 76;
  enum Type : std::int32_t { kNumber = 0, kText = 1 };

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void SetNumber(std::string_view key, std::int32_t value);
  void SetText(std::string_view key, std::string_view text);

  std::int32_t m_nType = kNumber;
  std::string m_strKey;
  std::int32_t m_nValue = 0;
  std::string m_strValue;
};

// A menu command entry: a visible flag and the entry's name.
class cCmdItem : public cRecord {
 public:
  static constexpr int kLoggedSize = 56;

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;

  std::int32_t m_bVisible = 1;
  std::string m_strName;
};
