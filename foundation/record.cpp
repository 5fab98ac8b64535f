#include "foundation/record.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "foundation/log.h"

namespace {

// A FieldRegistry that hands each registered member to two callables.
template <typename OnBlock, typename OnText>
class FieldWalk final : public FieldRegistry {
 public:
  FieldWalk(OnBlock onBlock, OnText onText) : onBlock_(onBlock), onText_(onText) {}

 private:
  void Block(void* first, std::size_t bytes) override { onBlock_(first, bytes); }
  void Text(std::string* text) override { onText_(text); }

  OnBlock onBlock_;
  OnText onText_;
};

template <typename OnBlock, typename OnText>
void WalkFields(cRecord& record, std::uint32_t version, OnBlock onBlock, OnText onText) {
  FieldWalk<OnBlock, OnText> walk(onBlock, onText);
  record.RegisterFields(walk, version);
}

template <typename OnBlock>
void WalkBlocks(cRecord& record, std::uint32_t version, OnBlock onBlock) {
  WalkFields(record, version, onBlock, [](std::string*) {});
}

template <typename OnText>
void WalkStrings(cRecord& record, std::uint32_t version, OnText onText) {
  WalkFields(record, version, [](void*, std::size_t) {}, onText);
}

struct FieldCounts {
  std::int32_t blocks = 0;
  std::int32_t strings = 0;
};

FieldCounts CountFields(cRecord& record, std::uint32_t version) {
  FieldCounts counts;
  WalkFields(
      record, version, [&](void*, std::size_t) { ++counts.blocks; }, [&](std::string*) { ++counts.strings; });
  return counts;
}

void EraseCarriageReturns(std::string& text) { std::erase(text, '\r'); }

// Fields are mostly of one to eight bytes: fills of a known size inline.
void ZeroField(void* first, std::size_t bytes) {
  switch (bytes) {
    case 1: std::memset(first, 0, 1); break;
    case 2: std::memset(first, 0, 2); break;
    case 4: std::memset(first, 0, 4); break;
    case 8: std::memset(first, 0, 8); break;
    default: std::memset(first, 0, bytes);
  }
}

// The stored number of blocks or strings. A file written for a shorter member
// list (an older editor build of the same data version) stores fewer: those
// are read and the other members keep their values. More than the record
// registers, or a negative count, cannot be read and damages the stream.
std::int32_t ReadStoredCount(DataReader& in, std::int32_t registered, const char* tooMany) {
  const std::int32_t stored = in.ReadInt32();
  // A stream already failed (a bad count before, a truncated file) holds no
  // count: its damage is the one report line, not a short record.
  if (!in.ok()) return 0;
  if (stored < 0 || stored > registered) {
    in.Fail(tooMany);
    return 0;
  }
  if (stored < registered) in.NoteShortRecord();
  return stored;
}

}  // namespace

void cRecord::RegisterFields(FieldRegistry&, std::uint32_t) {}

void cRecord::Load(DataReader& in) {
  if (!in.ok()) return;
  // One registration pass; the lists are the thread's own and are used up
  // before anything else could register (loading a string never loads a record).
  thread_local std::vector<std::pair<void*, std::size_t>> blocks;
  thread_local std::vector<std::string*> strings;
  blocks.clear();
  strings.clear();
  WalkFields(
      *this, in.Version(), [&](void* first, std::size_t bytes) { blocks.emplace_back(first, bytes); },
      [&](std::string* text) { strings.push_back(text); });
  const std::int32_t storedBlocks = ReadStoredCount(in, static_cast<std::int32_t>(blocks.size()),
                                                    "block count beyond the record's members for its version");
  for (std::int32_t i = 0; i < storedBlocks; ++i) in.ReadBytes(blocks[i].first, blocks[i].second);
  const std::int32_t storedStrings = ReadStoredCount(in, static_cast<std::int32_t>(strings.size()),
                                                     "string count beyond the record's members for its version");
  for (std::int32_t i = 0; i < storedStrings; ++i)
    if (in.ReadString(*strings[i]) && g_bRemoveCR) EraseCarriageReturns(*strings[i]);
}

void cRecord::Save(DataWriter& out) {
  const FieldCounts counts = CountFields(*this, g_DataVersion);
  out.WriteInt32(counts.blocks);
  WalkBlocks(*this, g_DataVersion, [&](void* first, std::size_t bytes) { out.WriteBytes(first, bytes); });
  out.WriteInt32(counts.strings);
  WalkStrings(*this, g_DataVersion, [&](std::string* text) { out.WriteString(*text); });
}

void cRecord::Clear() {
  WalkFields(
      *this, g_DataVersion, [](void* first, std::size_t bytes) { ZeroField(first, bytes); },
      [](std::string* text) { text->clear(); });
}

void cRecord::Copy(const cRecord& source) {
  if (&source == this) return;
  struct BlockRef {
    const void* first;
    std::size_t bytes;
  };
  std::vector<BlockRef> blocks;
  std::vector<const std::string*> strings;
  // Registering takes member addresses but changes nothing.
  WalkFields(
      const_cast<cRecord&>(source), g_DataVersion, [&](void* first, std::size_t bytes) { blocks.push_back({first, bytes}); },
      [&](std::string* text) { strings.push_back(text); });
  std::size_t block = 0;
  std::size_t string = 0;
  WalkFields(
      *this, g_DataVersion,
      [&](void* first, std::size_t bytes) {
        if (block < blocks.size() && blocks[block].bytes == bytes) std::memcpy(first, blocks[block].first, bytes);
        ++block;
      },
      [&](std::string* text) {
        if (string < strings.size()) *text = *strings[string];
        ++string;
      });
}

void cRecord::RemoveCR() {
  WalkStrings(*this, g_DataVersion, [](std::string* text) { EraseCarriageReturns(*text); });
}

bool IsLoadedAsOwnClass(const cRecord& record, const std::type_info& staticType) {
  if (typeid(record) == staticType) return true;
  Report("A record of class %s was loaded as its base class %s", typeid(record).name(), staticType.name());
  return false;
}

int SaveFile(cRecord& record, std::string_view storedPath) {
  auto out = OpenWriteFile(storedPath);
  if (!out) return 0;
  record.Save(*out);
  return CloseFile(*out) ? 1 : 0;
}
