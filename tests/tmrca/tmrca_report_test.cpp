#include <gtest/gtest.h>

#include <filesystem>

#include "common/binary_io.h"
#include "common/format.h"
#include "common/utf.h"
#include "platform/program_folder.h"
#include "texts/text_table.h"
#include "tmrca/tmrca_report.h"

namespace varnik {
namespace {

const char* T(int32_t id) { return TextById(id, kLanguageEnglish).c_str(); }

CSTROznaka Record(int32_t marker, int32_t ancestorState, std::vector<int32_t> descendantStates) {
  CSTROznaka r;
  r.marker = marker;
  r.ancestorState = ancestorState;
  r.descendantStates = std::move(descendantStates);
  return r;
}

CNizVerovatnoca Distribution() {
  CNizVerovatnoca d;
  d.probability = {0.2, 0.3, 0.5, 0.0, 0.0};
  d.cumulative = {0.2, 0.5, 1.0, 1.0, 1.0};
  d.halfPoint = 1.0;
  return d;
}

std::string Line(int generation, const char* probability, const char* cumulative) {
  return Format("%s=%d    %s = %s%%    %s = %s%%\r\n", T(232), generation, T(233), probability, T(234), cumulative);
}

TEST(TmrcaReport, CountsValuesAndListsGenerationsUpToTheFirstWholeSum) {
  // Two copies of one marker and a marker with an unknown ancestor;
  // descendant 2 lacks a value.
  const std::vector<CSTROznaka> records = {Record(4, 1, {1, 2}), Record(4, 2, {2, 1}), Record(9, -1, {3, -1})};
  const std::string expected = Format("%s: %d\r\n", T(250), 2) + Format(T(256), 3, 2) + "\r\n" +
                               Format("%s: %d\r\n", T(257), 1) + Format("%s: %d\r\n", T(258), 5) +
                               Format(T(260), 2, 3, 2.5) + "\r\n\r\n" + Format("%s 50%%=%g\r\n\r\n", T(235), 1.0) +
                               Line(1, "20", "20") + Line(2, "30", "50") + Line(3, "50", "100");
  EXPECT_EQ(FormatTmrcaReport(records, Distribution(), 0, kLanguageEnglish), expected);

  // All values known; the listing starts after w generations.
  const std::vector<CSTROznaka> full = {Record(0, 1, {1, 2})};
  const std::string fromTwo = FormatTmrcaReport(full, Distribution(), 1, kLanguageEnglish);
  EXPECT_NE(fromTwo.find(Format("%s: %d\r\n\r\n", T(259), 1)), std::string::npos);
  EXPECT_EQ(fromTwo.find(Line(1, "20", "20")), std::string::npos);
  const std::string tail = Line(2, "30", "50") + Line(3, "50", "100");
  EXPECT_EQ(fromTwo.substr(fromTwo.size() - tail.size()), tail);

  // No half point is given for an age beyond the computed range.
  CNizVerovatnoca flat = Distribution();
  flat.raw.resize(5);
  flat.beyondRange = true;
  const std::string beyond = FormatTmrcaReport(full, flat, 0, kLanguageEnglish);
  EXPECT_EQ(beyond.find("50%="), std::string::npos);
  EXPECT_NE(beyond.find("The age lies beyond the computed range of 5 generations.\r\n"), std::string::npos);
}

TEST(TmrcaReport, FileIsUtf16WithMarkAndCrLf) {
  const auto folder = std::filesystem::temp_directory_path() / "varnik_tmrca_report";
  std::filesystem::create_directories(folder);
  SetProgramFolder(folder.string());
  const std::string report = "Брой: 2\r\nx\r\n";
  ASSERT_TRUE(WriteTmrcaReport(report));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile((folder / "TMRCA_results.txt").string(), bytes));
  EXPECT_EQ(bytes, Utf16LeWithBom(report));
  SetProgramFolder("");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace varnik
