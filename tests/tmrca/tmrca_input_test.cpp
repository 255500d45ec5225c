#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/format.h"
#include "texts/text_table.h"
#include "tmrca/prepare_markers.h"
#include "tmrca/tmrca_input.h"
#include "ystr/haplotype_text.h"
#include "ystr/markers.h"

namespace varnik {
namespace {

constexpr int32_t kEn = kLanguageEnglish;
const char k12[] = "13 24 14 11 11-14 12 12 12 13 13 29";
const char k25[] = "13 24 14 11 11-14 12 12 12 13 13 29 17 9-10 11 11 25 15 19 29 15-15-17-17";

const char* T(int32_t id) { return TextById(id, kEn).c_str(); }

struct Read {
  bool ok;
  TmrcaHaplotypes haplotypes;
  std::vector<std::string> names;
  std::string error;
};
struct Prepared {
  bool ok;
  std::vector<CSTROznaka> records;
  std::string error;
};

Read ReadInput(const std::string& descendants, const std::string& ancestor = "", int32_t order = 0,
               int32_t minimum = 0) {
  Read r;
  r.ok = ReadTmrcaInput({descendants, ancestor, order, minimum}, r.haplotypes, r.names, r.error, kEn);
  return r;
}

std::string Lines(const std::string& line, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line + "\n";
  return text;
}

TEST(TmrcaInput, BadLinesAndCountsGiveTheirMessages) {
  EXPECT_EQ(ReadInput(k12, "13 x").error, Format("%s: %s.", T(237), T(239)));
  EXPECT_EQ(ReadInput(std::string(k12) + "\n13 24 1a\n").error, Format("%s %d: %s.", T(238), 2, T(239)));
  EXPECT_EQ(ReadInput(Lines(k12, 501)).error, Format(T(236), 500, 501));
  // When the minimum-markers condition takes every descendant, it says so.
  EXPECT_EQ(ReadInput(Lines("13 24 14", 2), "", 0, 5).error,
            Format(T(236), 500, 0) + "\r\n" + Format(T(kTextMinMarkersRemovedAll), 5, 2, 0));
  // Descendants dropped for too few values do not count.
  const Read filtered = ReadInput(Lines(k12, 500) + "13 24 14\n", "", 0, 12);
  EXPECT_TRUE(filtered.ok) << filtered.error;
  EXPECT_EQ(filtered.haplotypes.size(), 501u);

  const Read ok = ReadInput("13 24 ; first\n\n 13 25 ;second ", "13 24; root");
  ASSERT_TRUE(ok.ok) << ok.error;
  EXPECT_EQ(ok.names, (std::vector<std::string>{"root", "first", "second"}));
}

TEST(TmrcaInput, LinesAreReadWholeHoweverLongTheText) {
  // The second descendant starts beyond the dialog box's limit.
  const Read r = ReadInput(std::string(k12) + std::string(kMaxTmrcaDescendantsText, '\n') + k12);
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.haplotypes.size(), 3u);
  EXPECT_EQ(r.haplotypes[2].values, r.haplotypes[1].values);
}

TEST(TmrcaInput, CopiesOfAMarkerAreHeldInAscendingOrder) {
  const Read r = ReadInput("13 24 14 11 14-11 12\n13 24 14 11 11-14 12", "13 24 14 11 15.2-15 12");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.haplotypes[1].values, r.haplotypes[2].values);
  EXPECT_EQ(r.haplotypes[1].ValueOf(4, 0), 11);
  EXPECT_EQ(r.haplotypes[1].ValueOf(4, 1), 14);
  EXPECT_EQ(FormatHaplotype(r.haplotypes[0].values, true), "13 24 14 11 15-15.2 12");
  // Typed either way, the men give the ancestor their own values.
  TmrcaHaplotypes men = ReadInput("13 24 14 11 14-11 12\n13 24 14 11 11-14 12").haplotypes;
  CompleteAncestor(men, false);
  EXPECT_EQ(men[0].values, men[1].values);
}

TEST(TmrcaInput, ColumnsAreCleanedAndCopyCountsMustAgree) {
  const std::string one385 = "13 24 14 11 11 12";
  EXPECT_EQ(ReadInput(std::string(k12) + "\n" + one385).error, Format(T(243), 1, 2) + " DYS385.");
  EXPECT_EQ(ReadInput(std::string(k12) + "\n" + k12, one385).error, Format(T(242), 1) + " DYS385.");
  EXPECT_TRUE(ReadInput(std::string(k12) + "\n13 24 14 11 $ 12").ok);  // a missing column is no disagreement
  const Read r = ReadInput("13 0 $-15 14-0 $ $");  // cleaned, trailing empty columns dropped
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.haplotypes[1].copyCounts, (std::vector<int32_t>{1, 0, 1, 1}));
  EXPECT_EQ(r.haplotypes[1].ValueOf(2, 0), 15);  // copies renumbered
}

TEST(TmrcaAncestor, MostFrequentValueAndCompleteAncestor) {
  EXPECT_EQ(MostFrequentValue({15, 14, 15, 14, 16}), 14);  // top counts tie: the mean, rounded
  Read r = ReadInput("13 24 11-14\n13 25 11-14\n14 25 11-15\n13 25 12-14", "12");
  ASSERT_TRUE(r.ok);
  TmrcaHaplotypes unknown = r.haplotypes;
  ASSERT_TRUE(CompleteAncestor(r.haplotypes, false));
  // 12 typed: kept; 24 25 25 25: mean 24.75; 11 11 11 12 and 14 14 15 14.
  EXPECT_EQ(FormatAncestor(r.haplotypes[0], 0), "12 25 11-14");
  EXPECT_FALSE(CompleteAncestor(r.haplotypes, false));  // nothing changes the second time

  ASSERT_TRUE(CompleteAncestor(unknown, true));
  EXPECT_EQ(FormatAncestor(unknown[0], 0), "12 $ $");
}

Prepared Prepare(const std::string& descendants, const std::string& ancestor, int32_t choice = 1, int32_t order = 0,
                 bool allowUnknown = false) {
  Read r = ReadInput(descendants, ancestor, order);
  EXPECT_TRUE(r.ok) << r.error;
  CompleteAncestor(r.haplotypes, allowUnknown);
  Prepared p;
  p.ok = PrepareMarkers(r.haplotypes, choice, order, p.records, p.error, kEn);
  return p;
}

std::vector<int32_t> Markers(const std::vector<CSTROznaka>& records) {
  std::vector<int32_t> out;
  for (const auto& r : records) out.push_back(r.marker);
  return out;
}

TEST(TmrcaRecords, MarkerChoiceAndOrderSelectRecords) {
  const std::string two = std::string(k12) + "\n" + k12;
  EXPECT_EQ(Markers(Prepare(two, k12, 1).records), (std::vector<int32_t>{0, 1, 2, 3, 4, 4, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(Markers(Prepare(two, k12, 0).records), (std::vector<int32_t>{0, 1, 2, 3, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(Markers(Prepare(two, k12, 2).records), (std::vector<int32_t>{4, 4}));
  EXPECT_EQ(Prepare(std::string(k25) + "\n" + k25, "", 1, 2).records.size(), 25u);
  EXPECT_EQ(Prepare("13 24 14 11", "", 2).error, T(245));
}

TEST(TmrcaRecords, Dys389IIBecomesTheDifferencePlusThirteenOrStaysUnknown) {
  const Prepared p = Prepare("13 24 14 11 11-14 12 12 12 12 13 29", k12);
  ASSERT_TRUE(p.ok) << p.error;
  ASSERT_EQ(p.records.back().marker, kDys389ii);
  EXPECT_EQ(p.records.back().ancestorCode, 29 + 18);        // 29 - 13 + 13
  EXPECT_EQ(p.records.back().descendantCodes[0], 30 + 18);  // 29 - 12 + 13
  // No ancestral values at all, and a descendant without either DYS389.
  const Prepared u = Prepare(std::string(k12) + "\n13 24 14 11 11-14 12 12 12 $ 13 $", "", 1, 0, true);
  ASSERT_TRUE(u.ok) << u.error;
  const CSTROznaka& second = u.records.back();
  EXPECT_EQ(second.ancestorState, -1);
  EXPECT_EQ(second.descendantStates, (std::vector<int32_t>{StateOfCode(second, 29 + 18), -1}));
}

TEST(TmrcaRecords, BadValuesAndDys389ProblemsGiveTheirMessages) {
  const std::string bad393 = std::string(k12) + "\n30 24 14 11 11-14 12 12 12 13 13 29";
  EXPECT_EQ(Prepare(bad393, k12).error,
            Format("%s %d: %s %s", T(238), 2, Format(T(244), 30).c_str(), "DYS393"));
  EXPECT_EQ(Prepare("13 24 14 11 11-14 12 12 12 $ 13 29\n" + std::string(k12), k12).error,
            Format("%s %d. %s", T(238), 1, T(252)));
  // The ancestor's DYS389I stays missing only when unknown ancestral values are allowed.
  EXPECT_EQ(Prepare(k12, "13 24 14 11 11-14 12 12 12 $ 13 29", 1, 0, true).error, Format("%s. %s", T(237), T(252)));
  // Descendants are numbered by their input line, even after some were
  // dropped for too few values.
  Read filtered = ReadInput("13 24 14\n" + bad393, k12, 0, 5);
  ASSERT_TRUE(filtered.ok) << filtered.error;
  CompleteAncestor(filtered.haplotypes, false);
  Prepared p;
  EXPECT_FALSE(PrepareMarkers(filtered.haplotypes, 1, 0, p.records, p.error, kEn));
  EXPECT_EQ(p.error, Format("%s %d: %s %s", T(238), 3, Format(T(244), 30).c_str(), "DYS393"));
  // A typed ancestor value outside the marker's states is reported as a
  // descendant's is; a missing one stays unknown.
  EXPECT_EQ(Prepare(k12, "13 24 14 11 11-14 12 12 12 13 13 29", 1).error, "");
  EXPECT_EQ(Prepare(k12, "30 24 14 11 11-14 12 12 12 13 13 29", 1).error,
            Format("%s: %s %s", T(237), Format(T(244), 30).c_str(), "DYS393"));
  EXPECT_TRUE(Prepare(k12, "13 24 14 11 11-14 12 12 12 13 13", 1).ok);
  const std::string double389 = "13 24 14 11 11-14 12 12 12 13-14 13 29";
  EXPECT_EQ(Prepare(double389, double389, 1).error, T(251));
}

TEST(TmrcaRecords, FewValuesWarningNamesUpToFourMarkers) {
  const std::string few = "13 24 14 11 12 12\n$ 24 $ $ $ $\n$ 24 $ $ $ $\n$ 24 $ $ $ $";
  const Prepared p = Prepare(few, "13 24 14 11 12 12");
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(WarnFewValues(p.records, kEn), Format(T(262), "DYS 393, DYS 19, DYS 391, DYS 385a..."));
}

}  // namespace
}  // namespace varnik
