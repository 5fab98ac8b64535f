#pragma once
// Data files of the sample game are written by the player's own record
// classes, so every file has exactly the layout the player reads: a data
// version head (878) and the record's stream, or a counted list of records.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/record.h"

namespace sample_game {

// CP932 bytes of a UTF-8 source text, as data files store texts.
std::string Sjis(std::string_view utf8);

// An in-memory stream that starts with the data version head.
DataWriter VersionedStream();

// A whole file holding one record.
std::vector<std::uint8_t> RecordFileBytes(cRecord& record);

// A whole database file: the head, an i32 count and each record's stream.
template <typename List>
std::vector<std::uint8_t> ListFileBytes(List& list) {
  DataWriter out = VersionedStream();
  WriteRecordList(out, list);
  return out.Bytes();
}

}  // namespace sample_game
