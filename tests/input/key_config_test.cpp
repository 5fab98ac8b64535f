#include "input/key_config.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/foundation/scratch_folder.h"

namespace {

// KeyConfig.dat as the configuration tool writes it, byte by byte.
class KeyConfigFile {
 public:
  KeyConfigFile& Entry(std::uint32_t device, std::uint16_t code) {
    U32(device);
    U16(code);
    U16(0);
    return *this;
  }
  KeyConfigFile& U32(std::uint32_t value) { return Little(value, 4); }
  KeyConfigFile& U16(std::uint16_t value) { return Little(value, 2); }
  std::vector<unsigned char> bytes;

 private:
  KeyConfigFile& Little(std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
    return *this;
  }
};

constexpr const char* kPath = "user_data\\KeyConfig.dat";

class KeyConfigTest : public ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    std::filesystem::create_directories(folder_ / "user_data");
  }
  void Write(const std::vector<unsigned char>& bytes) { WriteBytes(folder_ / "user_data" / "KeyConfig.dat", bytes); }
};

TEST_F(KeyConfigTest, DefaultsAreTheArrowsAndEightLetterKeysInTheFixedLayout) {
  KEYCONFIG config;
  SetDefaultKeyConfig(config);
  const std::uint16_t expected[] = {37, 39, 38, 40, 90, 88, 67, 86, 65, 83, 68, 70};
  for (int i = 0; i < kKeyAssignCount; ++i) {
    EXPECT_EQ(config.assign[i].device, kKeyboardDevice);
    EXPECT_EQ(config.assign[i].code, expected[i]);
    EXPECT_EQ(config.assign[i].reserved, 0);
  }
  EXPECT_EQ(config.entryCount, 12u);
  EXPECT_EQ(config.joystickCount, 1u);
  EXPECT_EQ(config.useConfig, 0u);
}

TEST_F(KeyConfigTest, MissingFileLeavesTheRecordAsItWas) {
  KEYCONFIG config;
  SetDefaultKeyConfig(config);
  config.joystickCount = 7;
  EXPECT_EQ(LoadKeyConfig(kPath, config), 0);
  EXPECT_EQ(config.joystickCount, 7u);
  EXPECT_EQ(config.assign[4].code, 90);
}

TEST_F(KeyConfigTest, CustomKeysAndJoystickEntriesAreReadAsWritten) {
  KeyConfigFile file;
  file.Entry(8, 'J').Entry(8, 'L').Entry(8, 'I').Entry(8, 'K');
  file.Entry(0, 1).Entry(0, 2).Entry(1, 256).Entry(1, 2048);
  file.Entry(8, 32).Entry(8, 13).Entry(8, 16).Entry(8, 112);
  file.U32(12).U32(2).U32(1);
  ASSERT_EQ(file.bytes.size(), 108u);
  Write(file.bytes);

  KEYCONFIG config{};
  ASSERT_EQ(LoadKeyConfig(kPath, config), 1);
  EXPECT_EQ(config.assign[0].code, 'J');
  EXPECT_EQ(config.assign[3].code, 'K');
  EXPECT_EQ(config.assign[4].device, 0u);
  EXPECT_EQ(config.assign[4].code, 1);
  EXPECT_EQ(config.assign[6].device, 1u);
  EXPECT_EQ(config.assign[6].code, 256);
  EXPECT_EQ(config.assign[7].code, 2048);
  EXPECT_EQ(config.assign[11].code, 112);
  EXPECT_EQ(config.entryCount, 12u);
  EXPECT_EQ(config.joystickCount, 2u);
  EXPECT_EQ(config.useConfig, 1u);
}

TEST_F(KeyConfigTest, ShortFileFillsWhatItHoldsAndTheRestIsZero) {
  KeyConfigFile file;
  file.Entry(8, 'W').Entry(8, 'Q');
  file.bytes.push_back(0x77);  // half of the third entry's device
  Write(file.bytes);

  KEYCONFIG config;
  SetDefaultKeyConfig(config);
  ASSERT_EQ(LoadKeyConfig(kPath, config), 1);
  EXPECT_EQ(config.assign[0].code, 'W');
  EXPECT_EQ(config.assign[1].code, 'Q');
  EXPECT_EQ(config.assign[2].device, 0x77u);
  EXPECT_EQ(config.assign[2].code, 0);
  EXPECT_EQ(config.assign[11].code, 0);
  EXPECT_EQ(config.entryCount, 0u);
  EXPECT_EQ(config.useConfig, 0u);

  Write({});
  ASSERT_EQ(LoadKeyConfig(kPath, config), 1);
  EXPECT_EQ(config.assign[0].code, 0);
}

TEST_F(KeyConfigTest, LongFileGivesItsFirst108Bytes) {
  KeyConfigFile file;
  for (int i = 0; i < kKeyAssignCount; ++i) file.Entry(8, static_cast<std::uint16_t>('A' + i));
  file.U32(12).U32(1).U32(1);
  for (int i = 0; i < 500; ++i) file.U32(0xFFFFFFFFu);
  Write(file.bytes);

  KEYCONFIG config{};
  ASSERT_EQ(LoadKeyConfig(kPath, config), 1);
  EXPECT_EQ(config.assign[11].code, 'A' + 11);
  EXPECT_EQ(config.useConfig, 1u);
}

TEST_F(KeyConfigTest, FolderInPlaceOfTheFileIsNoFile) {
  std::filesystem::create_directories(folder_ / "user_data" / "KeyConfig.dat");
  KEYCONFIG config{};
  EXPECT_EQ(LoadKeyConfig(kPath, config), 0);
}

}  // namespace
