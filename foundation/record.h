#pragma once
// Versioned records: the base of every record that is read from or written to
// a data file.
//
// A record does not stream its members by hand. It lists them, for a given
// data version, in RegisterFields; loading, saving, clearing and copying are
// all derived from that one list. The order of registration is the order of
// the stream, and a member added in data version N is registered only for
// versions >= N, so one class reads every older file of its kind: members the
// file's version lacks keep the values the object held.
//
//   class cUserOption : public cRecord {
//    public:
//     void RegisterFields(FieldRegistry& fields, std::uint32_t version) override {
//       fields.AddField4(&m_bMusic);
//       fields.AddField4(m_anKeys, 8);                  // fixed array: 8 ints in one block
//       if (version >= 151) fields.AddField8(&m_dSpeed);
//       fields.AddString(&m_strName);
//     }
//     int m_bMusic = 1;
//     int m_anKeys[8] = {};
//     double m_dSpeed = 1.0;
//     std::string m_strName = "aaa";
//   };
//
// Members the plain stream cannot carry (lists, nested records) follow as the
// class's own tail: override Load and Save, call the base first, then stream
// the tail in the same order both ways. Reads need no checks of their own:
// a damaged stream makes every later read a no-op, and the load is discarded.
//
//     void Load(DataReader& in) override {
//       cRecord::Load(in);
//       ReadRecordList(in, m_vStage, cWorldStage());    // i32 count + element streams
//       m_nCells.resize(...); in.ReadArray(...);        // raw tail values
//       if (in.Version() < 209) m_nValue5 = 0;          // version fix-ups
//     }
//     void Save(DataWriter& out) override {
//       cRecord::Save(out);
//       WriteRecordList(out, m_vStage);
//     }
//
// A derived record extends its base's stream by registering the base's
// members first: `cBase::RegisterFields(fields, version);` then its own. A
// record embedded as a member may lend its members to its owner's stream in
// the same way (`m_Chara.RegisterFields(fields, version);`).
//
// Records keep no pointers into themselves, so the compiler's copy and move
// operations are the record copy: a copy's fields are the copy's own.
// Record classes must stay copyable (LoadFile loads into a copy and commits
// it only when the whole file was read).
//
// Whole files: LoadFile(record, path) and SaveFile(record, path); or, for
// files that are not one record, OpenReadFile / OpenWriteFile / CloseFile of
// foundation/record_stream.h around Load and Save calls.

#include <cstdint>
#include <string>
#include <string_view>
#include <typeinfo>
#include <utility>

#include "foundation/record_stream.h"

// Where RegisterFields lists a record's members. Numbers are registered by
// their width in bytes; `count` > 1 registers a fixed array of that many
// elements as one block.
class FieldRegistry {
 public:
  template <RawValue T>
  void AddField1(T* first, std::uint32_t count = 1) {
    Add<1>(first, count);
  }
  template <RawValue T>
  void AddField2(T* first, std::uint32_t count = 1) {
    Add<2>(first, count);
  }
  template <RawValue T>
  void AddField4(T* first, std::uint32_t count = 1) {
    Add<4>(first, count);
  }
  template <RawValue T>
  void AddField8(T* first, std::uint32_t count = 1) {
    Add<8>(first, count);
  }
  // Registers the string `repeat` times (nothing when repeat < 1).
  void AddString(std::string* text, int repeat = 1) {
    for (int i = 0; i < repeat; ++i) Text(text);
  }

 protected:
  ~FieldRegistry() = default;
  virtual void Block(void* first, std::size_t bytes) = 0;
  virtual void Text(std::string* text) = 0;

 private:
  template <std::size_t Width, typename T>
  void Add(T* first, std::uint32_t count) {
    static_assert(sizeof(T) == Width, "the field's type does not have the registered width");
    Block(first, std::size_t{Width} * count);
  }
};

class cRecord {
 public:
  cRecord() = default;
  cRecord(const cRecord&) = default;
  cRecord(cRecord&&) = default;
  cRecord& operator=(const cRecord&) = default;
  cRecord& operator=(cRecord&&) = default;
  virtual ~cRecord() = default;

  // Lists the members stored in files of `version`, in stream order.
  virtual void RegisterFields(FieldRegistry& fields, std::uint32_t version);

  // The stream of the members registered for the reader's version: i32 block
  // count, the raw blocks, i32 string count, the strings. A smaller stored
  // count loads that many leading members and leaves the rest (one report
  // line per file); a larger or negative one damages the stream. With
  // g_bRemoveCR set, loaded strings lose every '\r'.
  virtual void Load(DataReader& in);
  // The same stream for g_DataVersion.
  virtual void Save(DataWriter& out);

  // Zero-fills every member registered for g_DataVersion and empties its strings.
  void Clear();
  // Copies the members registered for g_DataVersion from a record of the same
  // class (bytewise for numbers, by assignment for strings).
  void Copy(const cRecord& source);
  // Removes every '\r' from every registered string.
  void RemoveCR();
};

// Smallest stream of one record (its two counts), for bounding list counts.
inline constexpr std::size_t kMinRecordStreamBytes = 8;

// False, with a report line, when a record is loaded through a base class
// (the copy would lose the derived part).
bool IsLoadedAsOwnClass(const cRecord& record, const std::type_info& staticType);

// Loads the file into the record: 1 on success. 0 when the file cannot be
// opened, is of a newer version (g_bFileNewer) or is damaged (reported); the
// record is then unchanged. Pass the record as its own class: the load runs
// on a copy of it, which replaces it only when the whole file was read.
template <typename Record>
int LoadFile(Record& record, std::string_view storedPath) {
  static_assert(std::is_base_of_v<cRecord, Record> && std::is_copy_constructible_v<Record>);
  if (!IsLoadedAsOwnClass(record, typeid(Record))) return 0;
  auto in = OpenReadFile(storedPath);
  if (!in) return 0;
  Record loaded(record);
  loaded.Load(*in);
  if (!CloseFile(*in)) return 0;
  record = std::move(loaded);
  return 1;
}

// Saves the record as a whole file (version head and the record's stream),
// atomically: 1, or 0 when the file cannot be written (the old file stays).
int SaveFile(cRecord& record, std::string_view storedPath);

// Rebuilds `list` from `count` element streams (a count bounded by
// DataReader::ReadCount); every element starts as a copy of `prototype` (so
// members the file's version lacks take the prototype's values). A negative
// count damages the stream. The list is replaced only when every element loaded.
template <typename List>
void ReadRecords(DataReader& in, List& list, std::int32_t count, const typename List::value_type& prototype) {
  if (count < 0) in.Fail("negative list count");
  if (!in.ok()) return;
  List loaded(static_cast<std::size_t>(count), prototype);
  for (auto& element : loaded) {
    element.Load(in);
    if (!in.ok()) return;
  }
  list = std::move(loaded);
}

// A list as the stream holds it: i32 count, then the element streams.
template <typename List>
void ReadRecordList(DataReader& in, List& list, const typename List::value_type& prototype) {
  ReadRecords(in, list, in.ReadCount(kMinRecordStreamBytes), prototype);
}

// An i32 count and each element's stream.
template <typename List>
void WriteRecordList(DataWriter& out, List& list) {
  out.WriteCount(list.size());
  for (auto& element : list) element.Save(out);
}
