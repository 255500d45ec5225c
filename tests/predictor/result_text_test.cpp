#include <gtest/gtest.h>

#include "predictor/result_text.h"

namespace varnik {
namespace {

CIshodPredvidjanja Scores(std::vector<double> p, std::vector<double> f) {
  CIshodPredvidjanja s;
  s.probability = std::move(p);
  s.fitness = std::move(f);
  s.relativeFitness.assign(s.probability.size(), -1.0);
  s.unsupportedRatio.assign(s.probability.size(), -1.0);
  for (std::size_t i = 0; i < s.probability.size(); ++i) s.names.push_back(std::string(1, static_cast<char>('A' + i)));
  return s;
}

TEST(PredictorResultText, RanksByProbabilityThenFitnessAndDropsZeroFitness) {
  CPredvigjacMuskihLoz2 m;
  CIshodPredvidjanja s = Scores({0.25, 0.5, 0.25, 0.0}, {0.5, 0.6, 0.55, 0.0});
  s.relativeFitness[1] = 1.2;
  const CTekstIshoda t = FormatResults(m, s, 1);
  EXPECT_EQ(t.branches, (std::vector<int32_t>{1, 2, 0}));
  EXPECT_EQ(t.lines[0], "Probability = 50.00%\tFitness=60.00 [1.20]   \tB\r\n");
  EXPECT_EQ(t.lines[1], "Probability = 25.00%\tFitness = 55.00      \tC\r\n");
  EXPECT_EQ(t.closingLine, "Probability of unsupported subclade is not calculated.\r\n\r\n");
}

TEST(PredictorResultText, WarningsJudgeTheTopBranch) {
  CPredvigjacMuskihLoz2 m;
  const std::string tooSmall = "Warning: Values of fitness are too small. Probably is error in order of STRs!\r\n\r\n";
  EXPECT_EQ(FormatResults(m, Scores({1.0}, {0.02}), 1).warnings, tooSmall);
  const std::string small = FormatResults(m, Scores({1.0}, {0.2}), 1).warnings;
  EXPECT_EQ(small.rfind("Warning: Values of fitness (or relative fitness) are rather small", 0), 0u);
  CIshodPredvidjanja relative = Scores({1.0}, {0.5});
  relative.relativeFitness[0] = 0.7;
  EXPECT_EQ(FormatResults(m, relative, 1).warnings, small);
  relative.relativeFitness[0] = -1;
  relative.unsupportedRatio[0] = 0.79;
  EXPECT_EQ(FormatResults(m, relative, 1).warnings, small);
}

TEST(PredictorResultText, ClosingLineReportsTheUnsupportedRemainder) {
  CPredvigjacMuskihLoz2 m;
  CIshodPredvidjanja s = Scores({0.6, 0.3}, {0.5, 0.5});
  s.chosenSet = 0;
  EXPECT_EQ(FormatResults(m, s, 1).closingLine, "Probability of unsupported subclade: 10.00%\r\n\r\n");
  s.probability = {0.7, 0.3};
  EXPECT_EQ(FormatResults(m, s, 1).closingLine, "");
  // Nothing listed: everything is unsupported.
  EXPECT_EQ(FormatResults(m, Scores({0.0}, {0.0}), 1).closingLine, "Probability of unsupported subclade: 100.00%\r\n\r\n");
}

TEST(PredictorResultText, BatchKeepsLinesUntilTheyReachTheCutAndWarnsAboutUnusedValues) {
  CPredvigjacMuskihLoz2 m;
  std::vector<double> p(15, 0.001);
  p[0] = 0.9;
  p[1] = 0.0975;  // 0.9975 stays below the cut: the third line is still taken
  CIshodPredvidjanja s = Scores(p, std::vector<double>(15, 0.5));
  s.chosenSet = 0;
  const CTekstIshoda t = FormatResults(m, s, 1);
  EXPECT_EQ(t.lines.size(), 15u);
  EXPECT_EQ(t.BatchText(), t.lines[0] + t.lines[1] + t.lines[2]);
  std::fill(s.probability.begin(), s.probability.end(), 0.01);
  EXPECT_EQ(FormatResults(m, s, 1).BatchText().size(), 12 * t.lines[3].size());
}

}  // namespace
}  // namespace varnik
