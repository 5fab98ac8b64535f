#pragma once
// The start that several database records share: a name, a file setting
// (from data version 151) and a file name.

#include <cstdint>
#include <string>

#include "foundation/record.h"

// Files older than this stored a file setting that means nothing now: it loads as 0.
inline constexpr std::uint32_t kFileParamResetBelow = 153;

class cFileEntryRecord : public cRecord {
 public:
  // Blocks: the file setting; strings: name, file. Derived records register
  // this first and then their own members.
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;

  std::string m_strName;
  std::int32_t m_nFileParam = 0;
  std::string m_strFile;
};
