#include "foundation/record.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>

#include "platform/filesystem.h"
#include "tests/foundation/scratch_folder.h"
#include "tests/support/damaged_copies.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Builds expected file bytes little-endian, item by item.
class ByteBuilder {
 public:
  ByteBuilder& U32(std::uint32_t value) { return Raw(&value, 4); }
  ByteBuilder& Text(std::string_view text) { return Raw(text.data(), text.size()); }
  ByteBuilder& Raw(const void* data, std::size_t size) {
    const auto* first = static_cast<const unsigned char*>(data);
    bytes_.insert(bytes_.end(), first, first + size);
    return *this;
  }
  Bytes Build() const { return bytes_; }

 private:
  Bytes bytes_;
};

struct IntAndText : cRecord {
  void RegisterFields(FieldRegistry& fields, std::uint32_t) override {
    fields.AddField4(&value);
    fields.AddString(&text);
  }
  int value = 0;
  std::string text;
};

// Members added in later data versions, of every width.
struct Versioned : cRecord {
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override {
    fields.AddField4(&always);
    if (version >= 151) fields.AddField4(&from151);
    fields.AddField1(flags, 3);
    fields.AddField2(&small);
    if (version >= 814) fields.AddField8(&from814);
    fields.AddString(&name);
    if (version >= 814) fields.AddString(&note);
  }
  int always = 1;
  int from151 = 7;
  unsigned char flags[3] = {1, 2, 3};
  short small = -2;
  double from814 = 2.5;
  std::string name = "name";
  std::string note = "note";
};

// A derived record extends its base's stream; its tail is a list of records.
struct WithList : Versioned {
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override {
    Versioned::RegisterFields(fields, version);
    fields.AddField4(&extra);
  }
  void Load(DataReader& in) override {
    Versioned::Load(in);
    ReadRecordList(in, items, IntAndText());
  }
  void Save(DataWriter& out) override {
    Versioned::Save(out);
    WriteRecordList(out, items);
  }
  int extra = 0;
  std::vector<IntAndText> items;
};

bool SameValues(const Versioned& a, const Versioned& b) {
  return a.always == b.always && a.from151 == b.from151 && std::memcmp(a.flags, b.flags, 3) == 0 &&
         a.small == b.small && a.from814 == b.from814 && a.name == b.name && a.note == b.note;
}

class RecordTest : public ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    g_DataVersion = kProgramDataVersion;
    g_bRemoveCR = 1;
  }
  IntAndText Example(std::string text) {
    IntAndText record;
    record.value = 5;
    record.text = std::move(text);
    return record;
  }
};

TEST_F(RecordTest, ExampleStreamIsWrittenAndReadByteForByte) {
  const Bytes expected = ByteBuilder().U32(878).U32(1).U32(5).U32(1).U32(3).Text({"ab\0", 3}).Build();
  IntAndText saved = Example("ab");
  ASSERT_EQ(SaveFile(saved, "example.dat"), 1);
  EXPECT_EQ(ReadBytes("example.dat"), expected);

  IntAndText loaded;
  ASSERT_EQ(LoadFile(loaded, "example.dat"), 1);
  EXPECT_EQ(loaded.value, 5);
  EXPECT_EQ(loaded.text, "ab");
  EXPECT_EQ(g_FileVersion, 878u);
}

TEST_F(RecordTest, EmptyStringIsTheSingleLengthOne) {
  IntAndText saved = Example("");
  ASSERT_EQ(SaveFile(saved, "empty.dat"), 1);
  EXPECT_EQ(ReadBytes("empty.dat"), ByteBuilder().U32(878).U32(1).U32(5).U32(1).U32(1).Build());
  IntAndText loaded = Example("old");
  ASSERT_EQ(LoadFile(loaded, "empty.dat"), 1);
  EXPECT_EQ(loaded.text, "");
}

TEST_F(RecordTest, StringIsSavedWholeUpToItsFirstNul) {
  IntAndText saved = Example(std::string(9000, 'x') + std::string("\0tail", 5));
  ASSERT_EQ(SaveFile(saved, "long.dat"), 1);
  IntAndText loaded;
  ASSERT_EQ(LoadFile(loaded, "long.dat"), 1);
  EXPECT_EQ(loaded.text, std::string(9000, 'x'));
}

TEST_F(RecordTest, NewerFileIsRefusedAndLeavesTheRecordAlone) {
  WriteBytes("newer.dat", ByteBuilder().U32(879).U32(1).U32(9).U32(1).U32(1).Build());
  IntAndText record = Example("keep");
  EXPECT_EQ(LoadFile(record, "newer.dat"), 0);
  EXPECT_EQ(g_bFileNewer, 1);
  EXPECT_EQ(record.value, 5);
  EXPECT_EQ(record.text, "keep");

  ASSERT_EQ(SaveFile(record, "current.dat"), 1);
  EXPECT_EQ(LoadFile(record, "current.dat"), 1);
  EXPECT_EQ(g_bFileNewer, 0);
}

TEST_F(RecordTest, OlderFileKeepsLaterMembersAndSavesAsCurrentVersion) {
  const short small = 300;
  WriteBytes("old.dat", ByteBuilder()
                            .U32(150)
                            .U32(3)
                            .U32(40)
                            .Raw("\x09\x08\x07", 3)
                            .Raw(&small, 2)
                            .U32(1)
                            .U32(4)
                            .Text({"old\0", 4})
                            .Build());
  Versioned record;
  ASSERT_EQ(LoadFile(record, "old.dat"), 1);
  EXPECT_EQ(g_FileVersion, 150u);
  EXPECT_EQ(record.always, 40);
  EXPECT_EQ(record.flags[2], 7);
  EXPECT_EQ(record.small, 300);
  EXPECT_EQ(record.name, "old");
  EXPECT_EQ(record.from151, 7);
  EXPECT_EQ(record.from814, 2.5);
  EXPECT_EQ(record.note, "note");

  ASSERT_EQ(SaveFile(record, "resaved.dat"), 1);
  const Bytes resaved = ReadBytes("resaved.dat");
  std::uint32_t head[2];
  std::memcpy(head, resaved.data(), sizeof head);
  EXPECT_EQ(head[0], 878u);
  EXPECT_EQ(head[1], 5u);
  Versioned reloaded;
  reloaded.always = 0;
  ASSERT_EQ(LoadFile(reloaded, "resaved.dat"), 1);
  EXPECT_TRUE(SameValues(reloaded, record));
}

// A record stored with fewer blocks and strings than its class registers for
// the file's version (an editor build with a shorter member list) loads its
// leading members; the others keep their values, and the file gets one report
// line however many of its records are short.
TEST_F(RecordTest, ShorterStoredCountsLoadTheLeadingMembers) {
  const auto shortItem = [](ByteBuilder& bytes) -> ByteBuilder& { return bytes.U32(0).U32(1).U32(3).Text({"it\0", 3}); };
  ByteBuilder bytes;
  bytes.U32(878).U32(3).U32(40).U32(41).Raw("\x09\x08\x07", 3).U32(1).U32(4).Text({"new\0", 4});
  bytes.U32(3);  // the item list
  for (int i = 0; i < 3; ++i) shortItem(bytes);
  WriteBytes("short.dat", bytes.Build());

  WithList record;
  record.items = {Example("stale")};
  ASSERT_EQ(LoadFile(record, "short.dat"), 1);
  EXPECT_EQ(record.always, 40);
  EXPECT_EQ(record.from151, 41);
  EXPECT_EQ(record.flags[0], 9);
  EXPECT_EQ(record.small, -2);
  EXPECT_EQ(record.from814, 2.5);
  EXPECT_EQ(record.extra, 0) << "the stored blocks end before this member";
  EXPECT_EQ(record.name, "new");
  EXPECT_EQ(record.note, "note");
  ASSERT_EQ(record.items.size(), 3u);
  EXPECT_EQ(record.items[2].value, 0);
  EXPECT_EQ(record.items[2].text, "it");

  const std::string report = ReportText();
  const std::string line = "Data file \"short.dat\" holds records with fewer members";
  const std::size_t first = report.find(line);
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(report.find(line, first + 1), std::string::npos) << "one line per file";
}

// A file stored with short records saves whole, and that save reloads to the
// very same bytes.
TEST_F(RecordTest, ShortRecordsRoundTripFromTheFirstSave) {
  WriteBytes("short.dat", ByteBuilder().U32(878).U32(0).U32(0).Build());
  IntAndText record = Example("kept");
  ASSERT_EQ(LoadFile(record, "short.dat"), 1);
  EXPECT_EQ(record.value, 5);
  EXPECT_EQ(record.text, "kept");
  ASSERT_EQ(SaveFile(record, "first.dat"), 1);
  IntAndText again;
  ASSERT_EQ(LoadFile(again, "first.dat"), 1);
  ASSERT_EQ(SaveFile(again, "second.dat"), 1);
  EXPECT_EQ(ReadBytes("first.dat"), ReadBytes("second.dat"));
}

TEST_F(RecordTest, CarriageReturnsAreRemovedWhileTheSwitchIsOn) {
  WriteBytes("cr.dat", ByteBuilder().U32(878).U32(1).U32(0).U32(1).U32(5).Text({"a\r\nb\0", 5}).Build());
  IntAndText record;
  ASSERT_EQ(LoadFile(record, "cr.dat"), 1);
  EXPECT_EQ(record.text, "a\nb");
  g_bRemoveCR = 0;
  ASSERT_EQ(LoadFile(record, "cr.dat"), 1);
  EXPECT_EQ(record.text, "a\r\nb");
  record.RemoveCR();
  EXPECT_EQ(record.text, "a\nb");
}

TEST_F(RecordTest, EmptyPathOpensErr) {
  IntAndText saved = Example("err");
  ASSERT_EQ(SaveFile(saved, ""), 1);
  EXPECT_TRUE(std::filesystem::exists("err"));
  IntAndText loaded;
  ASSERT_EQ(LoadFile(loaded, ""), 1);
  EXPECT_EQ(loaded.text, "err");
}

TEST_F(RecordTest, MissingFileFailsWithoutChangingTheRecord) {
  IntAndText record = Example("keep");
  EXPECT_EQ(LoadFile(record, "missing.dat"), 0);
  EXPECT_EQ(record.text, "keep");
}

TEST_F(RecordTest, ClearCopyAndAssignmentWorkOnTheirOwnRecord) {
  Versioned source;
  source.always = 11;
  source.from814 = 8.0;
  source.note = "copied";

  Versioned assigned;
  assigned = source;
  assigned.Clear();
  EXPECT_EQ(assigned.always, 0);
  EXPECT_EQ(assigned.from814, 0.0);
  EXPECT_EQ(assigned.flags[1], 0);
  EXPECT_EQ(assigned.note, "");
  EXPECT_EQ(source.always, 11) << "a copy's fields are its own";

  Versioned copied;
  copied.Copy(source);
  EXPECT_TRUE(SameValues(copied, source));
  ASSERT_EQ(SaveFile(copied, "copy.dat"), 1);
  copied.always = 12;
  ASSERT_EQ(LoadFile(assigned, "copy.dat"), 1);
  EXPECT_EQ(assigned.always, 11);
  EXPECT_EQ(source.always, 11);
}

TEST_F(RecordTest, AddStringRepeatsOrRegistersNothing) {
  struct Repeated : cRecord {
    void RegisterFields(FieldRegistry& fields, std::uint32_t) override {
      fields.AddString(&first, 0);
      fields.AddString(&second, 2);
    }
    std::string first = "x", second = "y";
  } record;
  ASSERT_EQ(SaveFile(record, "repeat.dat"), 1);
  EXPECT_EQ(ReadBytes("repeat.dat"),
            ByteBuilder().U32(878).U32(0).U32(2).U32(2).Text({"y\0", 2}).U32(2).Text({"y\0", 2}).Build());
}

TEST_F(RecordTest, DerivedRecordWithListRoundTrips) {
  WithList saved;
  saved.extra = 3;
  saved.items = {Example("one"), Example("two")};
  saved.items[1].value = 6;
  ASSERT_EQ(SaveFile(saved, "list.dat"), 1);

  WithList loaded;
  loaded.items = {Example("stale")};
  ASSERT_EQ(LoadFile(loaded, "list.dat"), 1);
  EXPECT_EQ(loaded.extra, 3);
  ASSERT_EQ(loaded.items.size(), 2u);
  EXPECT_EQ(loaded.items[0].text, "one");
  EXPECT_EQ(loaded.items[1].value, 6);
}

// Every kind of damage is refused with one report line naming the file (no
// reading goes on to call it a file of short records), and the record keeps
// what it held.
TEST_F(RecordTest, DamagedFilesAreRefusedAndTheRecordIsUnchanged) {
  WithList good;
  good.items = {Example("one")};
  ASSERT_EQ(SaveFile(good, "good.dat"), 1);
  const Bytes valid = ReadBytes("good.dat");
  const std::size_t itemCountAt = valid.size() - 24;  // i32 count, then one IntAndText of 20 bytes

  auto patched = [&](std::size_t at, std::uint32_t value) {
    Bytes bytes = valid;
    std::memcpy(bytes.data() + at, &value, 4);
    return bytes;
  };
  const std::size_t firstStringAt = 4 + 4 + 4 + 4 + 3 + 2 + 8 + 4 + 4;
  struct Damage {
    const char* what;
    Bytes bytes;
  };
  std::vector<Damage> damages = {
      {"block count", patched(4, 7)},
      {"negative block count", patched(4, 0xFFFFFFFFu)},
      {"string count", patched(firstStringAt - 4, 3)},
      {"string length 0", patched(firstStringAt, 0)},
      {"string length past the end", patched(firstStringAt, 100000)},
      {"string without NUL", patched(firstStringAt, 4)},
      {"list count too large", patched(itemCountAt, 3)},
      {"negative list count", patched(itemCountAt, 0xFFFFFFFFu)},
      {"trailing record cut", Bytes(valid.begin(), valid.end() - 1)},
      {"version head cut", Bytes(valid.begin(), valid.begin() + 3)},
  };
  for (std::size_t cut = 4; cut < valid.size(); cut += 5)
    damages.push_back({"short read", Bytes(valid.begin(), valid.begin() + static_cast<long>(cut))});

  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.what);
    WriteBytes("damaged.dat", damage.bytes);
    WithList record;
    record.name = "before";
    record.items = {Example("kept")};
    EXPECT_EQ(LoadFile(record, "damaged.dat"), 0);
    EXPECT_EQ(record.name, "before");
    EXPECT_EQ(record.always, 1);
    ASSERT_EQ(record.items.size(), 1u);
    EXPECT_EQ(record.items[0].text, "kept");
    EXPECT_NE(ReportText().find("Damaged data file \"damaged.dat\""), std::string::npos);
    EXPECT_EQ(ReportText().find("\"damaged.dat\" holds records with fewer members"), std::string::npos);
  }

  // A lowered count inside a list element reads as a short record while the
  // stream still looks sound; the damage found later is still the one line.
  good.items = {Example("one"), Example("two"), Example("three")};
  ASSERT_EQ(SaveFile(good, "good.dat"), 1);
  ExpectOneReportLinePerDamagedCopy(ReadBytes("good.dat"), "damaged.dat", "damaged.dat",
                                    folder_ / "Report_Game.txt", [] {
                                      WithList record;
                                      return LoadFile(record, "damaged.dat") == 1;
                                    });
}

TEST_F(RecordTest, FailedSaveKeepsTheOldFile) {
  IntAndText old = Example("old");
  ASSERT_EQ(SaveFile(old, "save.dat"), 1);
  const Bytes before = ReadBytes("save.dat");

  // A file-size limit makes the write itself fail, as a full disk would.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  IntAndText large = Example(std::string(1000, 'z'));
  const int result = SaveFile(large, "save.dat");
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadBytes("save.dat"), before);
  EXPECT_EQ(platform::ListDirectory(".")->size(), 2u) << "no temporary file is left behind";
  // The line says why, in the system's words.
  EXPECT_NE(ReportText().find("Could not write the data file \"save.dat\" (File too large)"),
            std::string::npos)
      << ReportText();
  EXPECT_EQ(SaveFile(large, "no_such_folder\\save.dat"), 0);
}

// The open creates the replacement's temporary file, so a folder that cannot
// take the file fails there, not only at the close; nothing is left behind.
TEST_F(RecordTest, OpenWriteFileFailsWhereTheFileCannotBeCreated) {
  WriteBytes("plain", {1});
  EXPECT_FALSE(OpenWriteFile("plain\\save.dat"));
  EXPECT_FALSE(OpenWriteFile("missing\\save.dat"));
  EXPECT_NE(
      ReportText().find("Could not create the data file \"missing\\save.dat\": No such file or directory"),
      std::string::npos)
      << ReportText();

  {
    auto out = OpenWriteFile("save.dat");
    ASSERT_TRUE(out);
    out->WriteInt32(5);
  }
  EXPECT_FALSE(std::filesystem::exists("save.dat")) << "a write that is never closed changes nothing";
  EXPECT_EQ(platform::ListDirectory(".")->size(), 2u) << "the report and the plain file alone";
}

}  // namespace
