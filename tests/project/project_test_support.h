#pragma once
// Shared helpers of the project-data tests: loading records from hand-written
// byte images, saving them to bytes, and a temporary game folder that is the
// working folder while a test runs.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/game_files.h"
#include "foundation/log.h"
#include "foundation/record.h"
#include "platform/message_box.h"
#include "tests/project/byte_fixture.h"

// The image of a whole data file: version head, then the given stream.
inline ByteFixture DataFile(std::uint32_t version, const ByteFixture& stream) {
  ByteFixture file;
  file.I32(static_cast<std::int32_t>(version));
  file.Append(stream);
  return file;
}

// The whole file that the editor of data version `version` writes for the
// record: the members and lists that version stores, with the record's values.
template <typename Record>
ByteFixture FileOfVersion(Record record, std::uint32_t version) {
  const std::uint32_t current = g_DataVersion;
  g_DataVersion = version;
  DataWriter out("fixture");
  record.Save(out);
  g_DataVersion = current;
  ByteFixture stream;
  for (std::uint8_t byte : out.Bytes()) stream.U8(byte);
  return DataFile(version, stream);
}

// Loads a record the way LoadFile does, from bytes: true when the whole
// stream was read; the record is unchanged otherwise.
template <typename Record>
bool LoadFromBytes(Record& record, const ByteFixture& file) {
  auto in = OpenReadBytes(std::vector<unsigned char>(file.Bytes().begin(), file.Bytes().end()), "fixture");
  if (!in) return false;
  Record loaded(record);
  loaded.Load(*in);
  if (!CloseFile(*in) || in->Remaining() != 0) return false;
  record = std::move(loaded);
  return true;
}

// The record's stream as the program writes it (without a version head).
inline std::vector<std::uint8_t> SavedStream(cRecord& record) {
  DataWriter out("fixture");
  record.Save(out);
  return std::vector<std::uint8_t>(out.Bytes().begin(), out.Bytes().end());
}

// A fresh folder that is the working folder (the game folder) during a test.
class GameFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    folder_ = std::filesystem::temp_directory_path() /
              ("project_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    ForgetGameFolderListings();
    // Boxes of the report path are shown only once the report file exists.
    InitReport(folder_ / "Report_Game.txt");
    platform::TakeHeadlessBoxes();
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
    ForgetGameFolderListings();
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  }

  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path folder_;
};
