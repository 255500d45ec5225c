#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/subcommands.h"
#include "cli_test_support.h"

namespace varnik::cli {
namespace {

namespace fs = std::filesystem;

// The settings file goes into a temporary configuration folder.
class SettingsCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / "varnik_settings_command";
    fs::remove_all(folder_);
    const char* old = std::getenv("XDG_CONFIG_HOME");
    if (old != nullptr) oldConfig_ = old;
    setenv("XDG_CONFIG_HOME", folder_.string().c_str(), 1);
  }
  void TearDown() override {
    if (oldConfig_.empty()) {
      unsetenv("XDG_CONFIG_HOME");
    } else {
      setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
    }
    fs::remove_all(folder_);
  }
  fs::path folder_;
  std::string oldConfig_;
};

TEST_F(SettingsCommandTest, ValuesRoundTripWithTheirTypes) {
  struct Case {
    const char *name, *type, *value, *shown;
  };
  const Case cases[] = {
      {"Poredak", "number", "4294967295", "number 4294967295\n"},
      {"GranicaPromene", "double", "0.0001", "double 1e-04 (binary 2d431cebe2361a3f)\n"},
      {"StazaUzorka", "text", "C:\\Узорци\\ја.txt", "text C:\\Узорци\\ја.txt\n"},
      {"Pretr_Ogranicenja", "binary", "010000000000000000000000", "binary 010000000000000000000000\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StatusAndOut(RunSettings, {"set", c.name, c.type, c.value}).first, 0) << c.name;
    EXPECT_EQ(StatusAndOut(RunSettings, {"get", c.name}), std::make_pair(0, std::string(c.shown)));
  }
}

TEST_F(SettingsCommandTest, BadValuesAndMissingNamesFail) {
  const std::vector<std::vector<std::string>> bad = {
      {"get", "Missing"},
      {"set", "Poredak", "number", "-1"},
      {"set", "Poredak", "number", "4294967296"},
      {"set", "Poredak", "number", "3x"},
      {"set", "GranicaPromene", "double", "abc"},
      {"set", "Pretr_Ogranicenja", "binary", "0g"},
      {"set", "Poredak", "word", "3"},
      {"set", "Poredak", "number"},
      {"set", "StazaUzorka", "text", std::string(261, 'a')},
  };
  for (const auto& argv : bad) {
    const CliResult result = RunCli(RunSettings, argv);
    EXPECT_EQ(result.status, 1) << argv.back();
    EXPECT_FALSE(result.err.empty());
  }
  EXPECT_FALSE(fs::exists(folder_ / "varnik"));  // nothing was written
}

}  // namespace
}  // namespace varnik::cli
