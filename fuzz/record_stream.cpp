// Loads arbitrary bytes as a data file of a record with version-gated members,
// nested record lists, strings and a raw number list. Whatever the bytes, the
// load must stay in bounds and report the file in one line at most; a load
// that succeeds must save a stream that loads back and saves to the very same
// bytes.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/record.h"
#include "fuzz/report_lines.h"

namespace {

struct Leaf : cRecord {
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override {
    fields.AddField2(&code);
    if (version >= 300) fields.AddField8(&ratio);
    fields.AddString(&text);
  }
  short code = 0;
  double ratio = 0.5;
  std::string text;
};

struct Branch : cRecord {
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override {
    fields.AddField1(flags, 4);
    if (version >= 500) fields.AddString(&name);
  }
  void Load(DataReader& in) override {
    cRecord::Load(in);
    ReadRecordList(in, leaves, Leaf());
  }
  void Save(DataWriter& out) override {
    cRecord::Save(out);
    WriteRecordList(out, leaves);
  }
  unsigned char flags[4] = {};
  std::string name = "branch";
  std::vector<Leaf> leaves;
};

struct Root : cRecord {
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override {
    fields.AddField4(&width);
    if (version >= 814) fields.AddField4(&height);
    fields.AddString(&title);
    fields.AddString(&note);
  }
  void Load(DataReader& in) override {
    cRecord::Load(in);
    ReadRecordList(in, branches, Branch());
    const std::int32_t count = in.ReadCount(sizeof(int));
    if (count > 0) {
      cells.resize(static_cast<std::size_t>(count));
      in.ReadArray(cells.data(), cells.size());
    }
  }
  void Save(DataWriter& out) override {
    cRecord::Save(out);
    WriteRecordList(out, branches);
    out.WriteCount(cells.size());
    out.WriteArray(cells.data(), cells.size());
  }
  int width = 20;
  int height = 15;
  std::string title, note;
  std::vector<Branch> branches;
  std::vector<int> cells;
};

std::vector<unsigned char> Saved(Root& root) {
  DataWriter out("fuzz");
  out.Write(g_DataVersion);
  root.Save(out);
  return out.Bytes();
}

bool LoadInto(Root& root, std::vector<unsigned char> bytes) {
  auto in = OpenReadBytes(std::move(bytes), "fuzz");
  if (!in) return false;
  root.Load(*in);
  return CloseFile(*in);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const AtMostOneReportLine oneLine("fuzz");
  Root root;
  if (!LoadInto(root, std::vector<unsigned char>(data, data + size))) return 0;
  const std::vector<unsigned char> first = Saved(root);
  Root again;
  if (!LoadInto(again, first) || Saved(again) != first) std::abort();
  return 0;
}
