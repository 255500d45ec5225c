#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/binary_io.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace varnik {
namespace {

class FileSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("varnik-settings-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    path = (folder / "sub" / "CrteziTalvera.settings").string();
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::filesystem::path folder;
  std::string path;
};

TEST_F(FileSettingsTest, EachTypeRoundTripsThroughTheFile) {
  FileSettingsStore store(path);
  EXPECT_FALSE(store.KeyExists());
  uint32_t number = 0;
  EXPECT_FALSE(ReadSettingNumber(store, "Poredak", number));

  ASSERT_TRUE(WriteSettingNumber(store, "Poredak", 0xFFFFFFFFu));
  ASSERT_TRUE(WriteSettingDouble(store, "GranicaPromene", 0.0001));
  ASSERT_TRUE(WriteSettingText(store, "StazaUzorka", "/home/пера/genome.txt"));
  ASSERT_TRUE(WriteSettingBinary(store, "Pretr_Ogranicenja", {1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(store.KeyExists());

  FileSettingsStore reopened(path);
  double d = 0;
  std::string text;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadSettingNumber(reopened, "Poredak", number) && number == 0xFFFFFFFFu);
  EXPECT_TRUE(ReadSettingDouble(reopened, "GranicaPromene", d) && d == 0.0001);
  EXPECT_TRUE(ReadSettingText(reopened, "StazaUzorka", text) && text == "/home/пера/genome.txt");
  EXPECT_TRUE(ReadSettingBinary(reopened, "Pretr_Ogranicenja", 800, bytes) && bytes.size() == 8u);
}

TEST_F(FileSettingsTest, ValuesOfTheWrongSizeOrTypeCountAsMissing) {
  FileSettingsStore store(path);
  WriteSettingDouble(store, "Eight", 1.5);
  WriteSettingBinary(store, "Two", {1, 2});
  WriteSettingNumber(store, "Number", 7);
  uint32_t number = 0;
  double d = 0;
  std::vector<uint8_t> bytes;
  std::string text;
  EXPECT_FALSE(ReadSettingNumber(store, "Eight", number));  // larger than its buffer
  EXPECT_FALSE(ReadSettingNumber(store, "Two", number));    // binary, too short
  EXPECT_FALSE(ReadSettingDouble(store, "Number", d));      // a number, not 8 bytes
  EXPECT_FALSE(ReadSettingBinary(store, "Eight", 4, bytes));
  WriteSettingText(store, "Long", std::string(261, 'x'));  // 524 bytes with the terminator
  EXPECT_FALSE(ReadSettingText(store, "Long", text));
  WriteSettingText(store, "Longest", std::string(260, 'x'));
  EXPECT_TRUE(ReadSettingText(store, "Longest", text));
}

TEST_F(FileSettingsTest, DamagedFileStartsEmptyAndIsKeptAside) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  for (const std::string& damage : {std::string("garbage\n"), std::string("# Varnik Genealogy Tools settings v1\nA=dword:0100"),
                                   std::string("# Varnik Genealogy Tools settings v1\nA=dword:zz\n")}) {
    std::ofstream(path, std::ios::binary) << damage;
    FileSettingsStore store(path);
    uint32_t number = 0;
    EXPECT_FALSE(store.KeyExists() || ReadSettingNumber(store, "A", number));
    ASSERT_TRUE(WriteSettingNumber(store, "B", 2));
    ASSERT_TRUE(WriteSettingNumber(store, "C", 3));  // the next write loses nothing
    EXPECT_TRUE(ReadSettingNumber(store, "B", number) && number == 2);
    EXPECT_TRUE(ReadSettingNumber(store, "C", number) && number == 3);
    std::string kept;
    EXPECT_TRUE(ReadWholeFile(path + ".damaged", kept) && kept == damage) << damage;
  }
}

TEST_F(FileSettingsTest, WritesKeepValuesWrittenByAnotherStoreOnTheSameFile) {
  FileSettingsStore first(path), second(path);
  WriteSettingNumber(first, "A", 1);
  WriteSettingNumber(second, "B", 2);
  WriteSettingNumber(first, "A", 5);
  uint32_t a = 0, b = 0;
  EXPECT_TRUE(ReadSettingNumber(second, "A", a) && a == 5u);
  EXPECT_TRUE(ReadSettingNumber(first, "B", b) && b == 2u);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

#if !defined(_WIN32)
TEST_F(FileSettingsTest, TwoProcessesWritingAtOnceAlwaysLeaveAWholeFile) {
  // Each process writes values of its own, many and long, and reads the file
  // back after every write; a read of a mixed or cut file fails its child.
  {
    FileSettingsStore store(path);
    ASSERT_TRUE(WriteSettingNumber(store, "start", 1));
  }
  std::vector<pid_t> children;
  for (const char* prefix : {"a", "b"}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      FileSettingsStore store(path);
      int damaged = 0;
      for (int i = 0; i < 150; ++i) {
        const std::string name = std::string(prefix) + std::to_string(i % 40);
        WriteSettingText(store, name, std::string(200, static_cast<char>('a' + i % 26)));
        damaged += !store.KeyExists();
      }
      _exit(damaged == 0 ? 0 : 1);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  FileSettingsStore store(path);
  EXPECT_TRUE(store.KeyExists());
  EXPECT_FALSE(std::filesystem::exists(path + ".damaged"));
}
#endif

TEST(MemorySettings, NamesThatCannotBeStoredAreRefused) {
  MemorySettingsStore store;
  for (const char* name : {"", "a=b", "line\nbreak"}) EXPECT_FALSE(WriteSettingNumber(store, name, 1)) << name;
  EXPECT_FALSE(store.KeyExists());
}

}  // namespace
}  // namespace varnik
