#include <gtest/gtest.h>

#include "predictor/result_text.h"

namespace varnik {
namespace {

// Branches A, B, ... with the given probabilities and fitness values.
CIshodPredvidjanja Scores(std::vector<double> p, std::vector<double> f, int32_t chosenSet = -1) {
  CIshodPredvidjanja s{p, f, std::vector<double>(p.size(), -1.0), std::vector<double>(p.size(), -1.0), {}, chosenSet};
  for (std::size_t i = 0; i < p.size(); ++i) s.names.push_back(std::string(1, static_cast<char>('A' + i)));
  return s;
}

TEST(PredictorResultText, RanksByProbabilityThenFitnessAndDropsZeroFitness) {
  CIshodPredvidjanja s = Scores({0.25, 0.5, 0.25, 0.0}, {0.5, 0.6, 0.55, 0.0});
  s.relativeFitness[1] = 1.2;
  const CTekstIshoda t = FormatResults(CPredvigjacMuskihLoz2(), s, 1);
  EXPECT_EQ(t.branches, (std::vector<int32_t>{1, 2, 0}));
  EXPECT_EQ(t.lines[0], "Probability = 50.00%\tFitness=60.00 [1.20]   \tB\r\n");
}

TEST(PredictorResultText, WarningsJudgeTheTopBranch) {
  const CPredvigjacMuskihLoz2 m;
  EXPECT_EQ(FormatResults(m, Scores({1.0}, {0.02}), 1).warnings,
            "Warning: Values of fitness are too small. Probably is error in order of STRs!\r\n\r\n");
  CIshodPredvidjanja relative = Scores({1.0}, {0.5});
  relative.relativeFitness[0] = 0.7;  // fitness itself is fine
  const std::string rather = "Warning: Values of fitness (or relative fitness) are rather small";
  EXPECT_EQ(FormatResults(m, relative, 1).warnings.rfind(rather, 0), 0u);
}

TEST(PredictorResultText, ClosingLineReportsTheUnsupportedRemainder) {
  const CPredvigjacMuskihLoz2 m;
  EXPECT_EQ(FormatResults(m, Scores({0.6, 0.3}, {0.5, 0.5}, 0), 1).closingLine,
            "Probability of unsupported subclade: 10.00%\r\n\r\n");
  EXPECT_EQ(FormatResults(m, Scores({0.7, 0.3}, {0.5, 0.5}, 0), 1).closingLine, "");
  EXPECT_EQ(FormatResults(m, Scores({0.0}, {0.0}), 1).closingLine,  // nothing listed: all unsupported
            "Probability of unsupported subclade: 100.00%\r\n\r\n");
}

TEST(PredictorResultText, BatchKeepsLinesUntilTheyReachTheCutOrTwelve) {
  std::vector<double> p(15, 0.001);
  p[0] = 0.9;
  p[1] = 0.0975;  // 0.9975 stays below the cut: the third line is still taken
  const CTekstIshoda t = FormatResults(CPredvigjacMuskihLoz2(), Scores(p, std::vector<double>(15, 0.5), 0), 1);
  EXPECT_EQ(t.lines.size(), 15u);
  EXPECT_EQ(t.BatchText(), t.lines[0] + t.lines[1] + t.lines[2]);
  const auto even = Scores(std::vector<double>(15, 0.01), std::vector<double>(15, 0.5), 0);  // at most 12 lines
  EXPECT_EQ(FormatResults(CPredvigjacMuskihLoz2(), even, 1).BatchText().size(), 12 * t.lines[3].size());
}

}  // namespace
}  // namespace varnik
