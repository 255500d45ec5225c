#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/binary_io.h"
#include "shell/report_note.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

namespace fs = std::filesystem;

// A program folder `prefix/bin` and a user report folder, in a fresh temporary
// folder of this run's own.
class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("varnik_program_folder_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
             "_" + std::to_string(std::random_device{}()));
    fs::remove_all(root_);
    fs::create_directories(bin());
    SetProgramFolder(bin().string());
    SetUserReportFolder(user().string());
  }
  void TearDown() override {
    SetProgramFolder("");
    SetUserReportFolder("");
    fs::remove_all(root_);
  }
  fs::path bin() const { return root_ / "prefix" / "bin"; }
  fs::path user() const { return root_ / "home" / "reports"; }
  static void Touch(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
  }
  static std::string Content(const fs::path& path) {
    std::string bytes;
    return ReadWholeFile(path.string(), bytes) ? bytes : "<missing>";
  }

  fs::path root_;
};

TEST_F(ProgramFolderTest, DataFileIsBesideTheProgramOrInShareVarnik) {
  const fs::path share = root_ / "prefix" / "share" / "varnik";
  struct Case {
    bool inBin, inShare;
    fs::path expected;
  };
  const Case cases[] = {
      {true, true, bin() / "model.dat"},  // the build folder and Windows installs
      {false, true, share / "model.dat"},  // an install under a prefix
      {false, false, bin() / "model.dat"},  // missing: the reader reports the program folder's path
  };
  for (const Case& c : cases) {
    fs::remove(bin() / "model.dat");
    fs::remove_all(share);
    if (c.inBin) Touch(bin() / "model.dat");
    if (c.inShare) Touch(share / "model.dat");
    EXPECT_EQ(DataFile("model.dat"), c.expected.string()) << c.inBin << c.inShare;
  }
}

TEST_F(ProgramFolderTest, ReportGoesToTheUserFolderOnlyWhenTheProgramFolderIsNotWritable) {
  // Writable program folder: the report lies beside the program, and the
  // user's folder is not even created.
  ReportLocation where;
  ASSERT_TRUE(WriteReport("TMRCA_results.txt", "first", where));
  EXPECT_EQ(where.path, (bin() / "TMRCA_results.txt").string());
  EXPECT_FALSE(where.userFolder);
  EXPECT_EQ(Content(bin() / "TMRCA_results.txt"), "first");
  EXPECT_FALSE(fs::exists(user()));
  EXPECT_EQ(ReportFile("TMRCA_results.txt").path, where.path);
  // The result box names the report with its whole path.
  EXPECT_EQ(ReportNote(where, kLanguageEnglish),
            "\r\nThe report was written to: " + fs::absolute(bin() / "TMRCA_results.txt").lexically_normal().string() +
                "\r\n");
  EXPECT_EQ(fs::directory_iterator(bin())->path().filename(), "TMRCA_results.txt");  // no probe left behind

  // A program folder that cannot take files (missing here, since tests may
  // run as a user who can write anywhere): the user's folder is created and
  // named, in every language.
  SetProgramFolder((root_ / "read-only" / "bin").string());
  ASSERT_TRUE(WriteReport("Ishodi poregjenj.txt", "second", where));
  EXPECT_EQ(where.path, (user() / "Ishodi poregjenj.txt").string());
  EXPECT_TRUE(where.userFolder);
  EXPECT_EQ(Content(user() / "Ishodi poregjenj.txt"), "second");
  const ReportLocation planned = ReportFile("BliskeHaplovrste.txt");
  EXPECT_EQ(planned.path, (user() / "BliskeHaplovrste.txt").string());
  EXPECT_TRUE(planned.userFolder);
  for (int32_t language : {kLanguageSerbian, kLanguageEnglish, kLanguageRussian}) {
    const std::string note = ReportNote(where, language);
    EXPECT_NE(note.find(where.path), std::string::npos) << note;
    EXPECT_EQ(note.substr(note.size() - 2), "\r\n");
  }

  // Neither folder writable: a failure, not a report claimed as written.
  Touch(root_ / "file");
  SetUserReportFolder((root_ / "file" / "reports").string());
  EXPECT_FALSE(WriteReport("TMRCA_results.txt", "third", where));
}

}  // namespace
}  // namespace varnik
