// The admixture estimate on a real panel: 156 Europeans of the HGDP with
// the allele frequencies (P) and shares (Q) of a published K = 6 analysis.
// With P as the calculator, each person's estimate must reach that
// person's row of Q.  Skips when the reference data is absent.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <cstdio>

#include "autosomal/admixture_data.h"
#include "autosomal/autosomal_test_support.h"
#include "autosomal/hgdp_panel.h"

namespace varnik {
namespace {

using AdmixtureRealDataTest = AutosomalFilesTest;

TEST_F(AdmixtureRealDataTest, ReachesThePublishedSharesOfEveryHgdpEuropean) {
  HgdpPanel panel;
  if (!panel.Read()) GTEST_SKIP() << "no reference panel in " << HgdpPanel::Base();

  const CProracunPoreklaOdsecaka calculator = panel.Calculator();
  // Under the sanitizers every tenth person is enough.
#if defined(__SANITIZE_ADDRESS__)
  const int step = 10;
#else
  const int step = 1;
#endif
  double worst = 0.0, slowest = 0.0;
  for (int person = 0; person < panel.people; person += step) {
    CProracunPoreklaOdsecaka data = calculator;
    panel.SetGenotypes(person, data);
    const std::clock_t start = std::clock();
    ASSERT_TRUE(data.ComputeAdmixture(-1, context));
    slowest = std::max(slowest, static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
    for (int k = 0; k < 6; ++k) worst = std::max(worst, std::fabs(data.proportions[k] - panel.q[person][k]));
  }
  std::printf("largest difference from the published shares: %.4f percentage points; slowest person %.3f s of processor time\n",
              100 * worst, slowest);
  EXPECT_LT(100 * worst, 0.1);

  // One person through the files, as a user would run it: a text calculator
  // and the person's genotypes in the 23andMe layout.
  std::string text = "6\n";
  for (int k = 0; k < 6; ++k) text += "K" + std::to_string(k + 1) + ",0,0,0\n";
  std::string genome = "# HGDP00511 from the reference panel\n";
  char line[160];
  for (std::size_t s = 0; s < panel.rows.size(); ++s) {
    const std::size_t i = panel.rows[s];
    const double* f = &panel.p[6 * s];
    std::snprintf(line, sizeof line, "%s,%d,%d,0,%c%c,%.6f,%.6f,%.6f,%.6f,%.6f,%.6f\n", panel.names[i].c_str(),
                  panel.chromosomes[i], panel.positions[i], static_cast<char>(FoldToAbCode(panel.allele1[i])),
                  static_cast<char>(FoldToAbCode(panel.allele2[i])), f[0], f[1], f[2], f[3], f[4], f[5]);
    text += line;
    const int copies = panel.Genotype(i, 0);
    genome += panel.names[i] + "\t" + std::to_string(panel.chromosomes[i]) + "\t" + std::to_string(panel.positions[i]) +
              "\t" + (copies < 0 ? std::string("--") : panel.GenotypeText(i, copies)) + "\n";
  }
  Write("hgdp6.txt", text);
  Write("HGDP00511.txt", genome);
  ASSERT_TRUE(Load("hgdp6.txt", "HGDP00511.txt")) << data.lastError;
  ASSERT_TRUE(data.ComputeAdmixture(-1, context));
  // The text calculator keeps frequencies off the extremes (0.001 to 0.999),
  // which moves the estimate a little.
  for (int k = 0; k < 6; ++k) EXPECT_NEAR(data.proportions[k], panel.q[0][k], 0.005) << k;
}

}  // namespace
}  // namespace varnik
