// The example computed-axes set that the build writes into the program folder.
#include <gtest/gtest.h>

#include "plot/axes_file.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

TEST(ExampleAxesSet, IsAPlottableSetOfTranslatedPopulations) {
  const std::string path = std::string(VARNIK_BIN_DIR) + "/EvropaSaOkolinom.ose";
  ComputedAxesSet set;
  std::string error;
  ComputedAxesReadOptions options;
  options.keepCoefficients = true;
  if (!ReadComputedAxesFile(path, set, options, &error) && error.find("cannot be opened") != std::string::npos) {
    GTEST_SKIP() << "the example set has not been generated: " << path;
  }
  ASSERT_TRUE(error.empty()) << error;

  EXPECT_EQ(Texts().TranslateSerbianName(set.name), Texts().TextById(kTextDataSetEurope290k));
  EXPECT_GE(set.samples.size(), 2000u);
  EXPECT_GE(set.axes.size(), 10u);

  for (const CUzorak& sample : set.samples) {
    const CStanovnistvo& group = set.groups[static_cast<std::size_t>(sample.group)];
    EXPECT_NE(Texts().TranslateSerbianName(group.name), Texts().Fallback()) << group.name;
  }

  // Principal components: shares of variance in descending order, summing
  // to less than the whole; scores of unit length and mutually orthogonal.
  double total = 0;
  for (std::size_t a = 0; a < set.axes.size(); ++a) {
    total += set.axes[a].weight;
    EXPECT_LE(set.axes[a].weight, set.axes[a > 0 ? a - 1 : 0].weight);
  }
  EXPECT_GT(set.axes[0].weight, 0.005);
  EXPECT_LT(total, 1.0);
  for (std::size_t a = 0; a < 3; ++a) {
    for (std::size_t b = 0; b <= a; ++b) {
      double dot = 0;
      for (std::size_t i = 0; i < set.samples.size(); ++i) dot += set.axes[a].values[i] * set.axes[b].values[i];
      EXPECT_NEAR(dot, a == b ? 1.0 : 0.0, 1e-6) << a << "," << b;
    }
  }
}

}  // namespace
}  // namespace varnik
