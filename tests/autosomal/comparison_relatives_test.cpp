// The genome comparison on simulated relatives whose shared DNA is known.
#include <gtest/gtest.h>

#include "autosomal/genome_comparison.h"
#include "autosomal_test_support.h"
#include "relatives_simulator.h"

namespace varnik {
namespace {

using datagen::FindRelative;

class ComparisonRelativesTest : public AutosomalFilesTest {
 protected:
  void SetUp() override {
    AutosomalFilesTest::SetUp();
    panel = datagen::MakePanel(99, 40000, {"Atlantic_Baltic", "Southern"}, 0.05);
    family = datagen::MakeFamily(panel, 3);
    comparison.mapPath = Write("map.txt", datagen::PanelGeneticMap(panel));
  }
  std::string GenomeOf(const std::string& name) {
    return Write(name + ".txt", datagen::RelativeGenome(panel, FindRelative(family, name)));
  }
  double FoundCm(const CPoregjenjeUzoraka::CPoregjenjeDvajuUzoraka& result) const {
    double cm = 0.0;
    for (const auto& track : result.runs) {
      for (const auto& run : track) cm += panel.snps[run.lastSnp].cm - panel.snps[run.firstSnp].cm;
    }
    return cm;
  }
  static double TrueCm(const std::vector<datagen::SharedSegment>& segments) {
    double cm = 0.0;
    for (const auto& segment : segments) cm += segment.cm;
    return cm;
  }

  datagen::SimulatedPanel panel;
  std::vector<datagen::Relative> family;
  CPoregjenjeUzoraka comparison;
};

TEST_F(ComparisonRelativesTest, SharedLengthsFollowTheRelationship) {
  int error = 0;
  ASSERT_EQ(comparison.RunGenomeComparison(CPoregjenjeUzoraka::kModeComparison,
                                           {GenomeOf("G1"), GenomeOf("C1"), GenomeOf("G2"), GenomeOf("S2")}, error,
                                           context, ""),
            1)
      << comparison.lastError;
  ASSERT_EQ(comparison.results.size(), 3u);
  const datagen::Relative& g1 = FindRelative(family, "G1");
  // A parent shares one copy of every chromosome end to end.
  const double genome = TrueCm(datagen::TrueSharedSegments(panel, g1, FindRelative(family, "C1"), 0.0));
  EXPECT_GT(genome, 3300.0);
  EXPECT_GT(FoundCm(comparison.results[0]), 0.9 * genome);
  // A first cousin: about an eighth, found within a few segments' worth.
  const double cousin = TrueCm(datagen::TrueSharedSegments(panel, g1, FindRelative(family, "G2"), 7.0));
  EXPECT_NEAR(FoundCm(comparison.results[1]), cousin, 0.25 * cousin + 40.0);
  // An unrelated person shares next to nothing that long.
  EXPECT_LT(FoundCm(comparison.results[2]), 0.1 * cousin);
}

TEST_F(ComparisonRelativesTest, ChildOfFirstCousinsHasLongRunsOfHomozygosity) {
  int error = 0;
  ASSERT_EQ(comparison.RunGenomeComparison(CPoregjenjeUzoraka::kModeRelatedness, {GenomeOf("H"), GenomeOf("G1")},
                                           error, context, ""),
            1);
  const datagen::Relative& h = FindRelative(family, "H");
  const double truth = TrueCm(datagen::TrueSharedSegments(panel, h, h, 7.0));
  EXPECT_GT(truth, 50.0);
  EXPECT_NEAR(FoundCm(comparison.results[0]), truth, 0.3 * truth);
  EXPECT_LT(FoundCm(comparison.results[1]), 0.2 * truth);
}

}  // namespace
}  // namespace varnik
