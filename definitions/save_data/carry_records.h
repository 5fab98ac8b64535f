#pragma once
// The two small records that the save data keeps in lists: the state of a
// hero carried from one stage into the next (a whole character definition
// and five values), and the best value recorded for a stage.

#include <cstdint>
#include <string>

#include "definitions/palette/chara_definition.h"
#include "foundation/record.h"

class cCarryChara : public cRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The five values, then the definition's own stream.
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;

  cEdChara m_Chara;             // the stored hero definition
  std::int32_t m_nHp = 0;       // carry-over item 11
  std::int32_t m_nSp = 0;       // item 12
  std::int32_t m_nCarry22 = 0;  // item 22: the stage's time limit
  std::int32_t m_nLife = 0;     // item 23: the life counter
  std::int32_t m_nCarry24 = 0;  // item 24: the stage's music number
};
using cHeroState = cCarryChara;

class cStageEntry : public cRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // Files older than 759 have no key: it becomes the stage name, code 1 0.
  void Load(DataReader& in) override;

  std::string m_strStage;
  std::string m_strKey;       // stage name with its stage-code suffix (759)
  std::int32_t m_nCode1 = 0;  // 759
  std::int32_t m_nCode2 = 0;  // 759
  std::int32_t m_nCode3 = 0;  // 759
  std::int32_t m_nValue = 0;  // the best value
};
using cStageResult = cStageEntry;
