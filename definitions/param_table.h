#pragma once
// The parameter table: for each character command kind, the numeric
// parameters that an author can bind to a variable, in the order the
// bindings number them, with the editor's name and the range that a bound
// value is clamped to. Built once at start-up (BuildParamTable) and never
// changed afterwards, so any thread may read it once start-up is done.

#include <cstdint>
#include <string>

#include "foundation/checked_vector.h"

struct PARAMRANGE {
  static constexpr int kLoggedSize = 24;
  std::string strName;  // CP932
  std::int32_t nMin = 0;
  std::int32_t nMax = 0;
};

using ParamRangeList = cVector<PARAMRANGE>;

// Exactly 40 lists, indexed by the character command kind.
extern cVector<ParamRangeList> g_ParamTable;

// Sizes the table to 40 lists and fills every row of the kinds that have
// bindable parameters; the other kinds' lists are empty.
void BuildParamTable();

// The kind's list; a kind outside the table is reported as a bad index.
ParamRangeList& ParamListAt(long long kind);
// One row of a list, checked likewise.
PARAMRANGE& ParamRangeAt(ParamRangeList& list, long long index);
