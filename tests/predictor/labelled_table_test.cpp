#include <gtest/gtest.h>

#include "predictor/cross_validation.h"
#include "predictor/labelled_table.h"
#include "ystr/markers.h"

namespace varnik {
namespace {

CTabelaUzoraka Read(const std::string& text, CStupciTabele columns = {}) {
  CTabelaUzoraka table;
  std::string error;
  EXPECT_TRUE(ParseLabelledTable(text, columns, table, error)) << error;
  return table;
}

// The value of a column and copy of a haplotype; -1 when missing.
int32_t ValueAt(const Haplotype& h, int32_t column, int32_t copy) {
  int32_t c = -1;
  for (const CVrednostSTRa& e : h) {
    c += e.copy == 0;
    if (c == column && e.copy == copy) return e.value;
  }
  return -1;
}

TEST(PredictorLabelledTable, ReadsLabelsAsTreePathsAndValuesAsLaboratoriesGiveThem) {
  const CTabelaUzoraka table =
      Read("Number,Reference,SNP,Haplogroup,DYS19,DYS385a,DYS385b,DYS389I,DYS389II,YGATAH4,Other\r\n"
           "0,7,M417,R1a1a1,16,14,11,13,30,12,x\r\n"
           "1,7,M417,R1a1a1,16,,,13,,12,\r\n"
           "2,9,,R1a1,\"15\",11,14,13,29,,\n"
           "3,9,Z93,R1a1a1b2,15,,,,,,\n"
           "4,9,,,15,,,,,,\n"
           "5,9,M269,R1b,,,,,,,\n"
           "6,9,,R1b,,,,,30,,\n"
           "\n");
  ASSERT_EQ(table.samples.size(), 4u);
  EXPECT_EQ(table.skipped, 3);  // no label; nothing typed; DYS389II without DYS389I
  EXPECT_EQ(table.groups, (std::vector<std::string>{"7", "7", "9", "9"}));
  const CUzorakSaOgrankom& first = table.samples[0];
  EXPECT_EQ(first.snpPath, (std::vector<std::string>{"R", "R1", "R1a", "R1a1", "R1a1a", "R1a1a1 (M417)"}));
  EXPECT_EQ(first.branch, "R1a1a1 (M417)");
  EXPECT_EQ(table.samples[3].snpPath[5], "R1a1a1 (M417)");  // the shared node keeps its name
  EXPECT_EQ(ValueAt(first.haplotype, 2, 0), 16);
  EXPECT_EQ(ValueAt(first.haplotype, 4, 0), 11);  // copies in ascending order
  EXPECT_EQ(ValueAt(first.haplotype, 4, 1), 14);
  EXPECT_EQ(ValueAt(first.haplotype, kColumnDys389ii, 0), 17);  // 30 - 13
  EXPECT_EQ(ValueAt(first.haplotype, kColumnGataH4, 0), 11);    // the laboratory's 12
  EXPECT_EQ(ValueAt(table.samples[1].haplotype, 4, 0), -1);
  EXPECT_EQ(ValueAt(table.samples[2].haplotype, 2, 0), 15);

  // Columns by number, a short label with its SNP, semicolons.
  const CTabelaUzoraka other = Read("id;group;label;DYS393\nx;a;Q-M3*;13\n", {3, 0, 2});
  ASSERT_EQ(other.samples.size(), 1u);
  EXPECT_EQ(other.samples[0].snpPath, (std::vector<std::string>{"Q (M3)"}));
  EXPECT_EQ(other.groups[0], "a");

  CTabelaUzoraka bad;
  std::string error;
  EXPECT_FALSE(ParseLabelledTable("Haplogroup,DYS19\nR1a,1x\n", {}, bad, error));
  EXPECT_EQ(error, "line 2: DYS19 is not a repeat count");
  EXPECT_FALSE(ParseLabelledTable("Name,DYS19\nR1a,14\n", {}, bad, error));
  EXPECT_FALSE(ParseLabelledTable("Haplogroup,Name\nR1a,14\n", {}, bad, error));
  EXPECT_FALSE(ParseLabelledTable("", {}, bad, error));
  EXPECT_FALSE(ParseLabelledTable("Haplogroup,DYS19\nR1a,99999999999\n", {}, bad, error));
  // Cut anywhere, a table reads or fails cleanly, never with a half-read
  // man: each man read has his label and a typed value.
  const std::string text = "Haplogroup,SNP,DYS19,DYS389I,DYS389II\nR1a1,M459,16,13,30\n\"Q\"\"-M3\",,13,14,31\n";
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    if (!ParseLabelledTable(std::string_view(text).substr(0, cut), {}, bad, error)) continue;
    for (const CUzorakSaOgrankom& man : bad.samples) EXPECT_FALSE(man.snpPath.empty());
  }
}

TEST(PredictorLabelledTable, RareBranchesJoinTheBranchAboveThem) {
  std::vector<CUzorakSaOgrankom> samples;
  auto add = [&samples](std::vector<std::string> path, int n) {
    for (int i = 0; i < n; ++i) samples.push_back({path.back(), "", path, {}});
  };
  add({"R", "R1", "R1a"}, 3);
  add({"R", "R1", "R1a", "R1a1"}, 1);   // joins R1a
  add({"R", "R1", "R1b", "R1b1"}, 1);   // joins R1b, then R1, then R
  add({"J"}, 1);                        // the top of its tree stays
  MergeRareBranches(samples, 3);
  std::map<std::string, int> men;
  for (const auto& s : samples) ++men[s.branch];
  EXPECT_EQ(men, (std::map<std::string, int>{{"R1a", 4}, {"R", 1}, {"J", 1}}));
}

TEST(PredictorCrossValidation, FoldsKeepGroupsWholeAndBalanced) {
  std::vector<int32_t> fold;
  std::string error;
  const std::vector<std::string> groups = {"a", "a", "a", "a", "b", "b", "c", "c", "d"};
  ASSERT_TRUE(AssignFolds(groups, 2, fold, error));
  // a (4) goes to fold 0, b and c (2 each) to fold 1, d to fold 1 then 0 ...
  EXPECT_EQ(fold, (std::vector<int32_t>{0, 0, 0, 0, 1, 1, 1, 1, 0}));
  ASSERT_TRUE(AssignFolds(std::vector<std::string>(5), 2, fold, error));
  EXPECT_EQ(fold, (std::vector<int32_t>{0, 1, 0, 1, 0}));
  EXPECT_FALSE(AssignFolds({"a", "a", "b"}, 3, fold, error));
  EXPECT_FALSE(AssignFolds({"", ""}, 3, fold, error));
}

TEST(PredictorCrossValidation, PredictsEachFoldWithTheOthersModel) {
  // Two clear haplogroups of 9 markers; one group of men is labelled with a
  // subclade the other groups never show, so its label cannot be right.
  std::string text = "Reference,Haplogroup,DYS393,DYS390,DYS19,DYS391,DYS385a,DYS385b,DYS439,DYS389I,DYS392\n";
  for (int g = 0; g < 4; ++g) {
    for (int i = 0; i < 6; ++i) {
      text += std::to_string(g) + (g == 3 ? ",R1a1" : ",R1a") + ",13,25,16,11,11,14,10,13,11\n";
      text += std::to_string(g) + ",J2,12,23,14,10,13,17,11,13,11\n";
    }
  }
  const CTabelaUzoraka table = Read(text);
  CPostavkeUcenja options;
  options.fitStatistics = false;
  CIshodUnakrsneProvere result;
  std::string error;
  int calls = 0;
  ASSERT_TRUE(CrossValidate(table.samples, table.groups, 4, options, result, error, [&calls](int32_t) { ++calls; }))
      << error;
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(result.groups, 4);
  EXPECT_EQ(result.men[2], 48);
  EXPECT_EQ(result.letterRight[2], 48);
  EXPECT_EQ(result.labelRight[2], 42);
  EXPECT_EQ(result.confusion.at({"J", "J"}), 24);
  const std::string report = FormatCrossValidation(result);
  EXPECT_NE(report.find("9-16              48      100.0%   87.5%"), std::string::npos) << report;
}

}  // namespace
}  // namespace varnik
