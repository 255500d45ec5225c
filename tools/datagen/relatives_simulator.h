// Relatives for the genome comparison: a pedigree made by recombination
// along a panel's genetic map, with the founder haplotype of every copy at
// every SNP, so the DNA two relatives truly share is known.  Also the
// shipped genetic map "PolozajiSNPov.txt".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "autosomal_simulator.h"

namespace varnik::datagen {

struct Relative {
  std::string name;
  std::string alleles;               // two letters per SNP of the panel
  std::vector<uint16_t> founder[2];  // the founder haplotype of each copy, per SNP
};

// Ten people: grandparents F1 and F2; their children C1 and C2; spouses S1
// and S2; G1 and G1b, children of C1 and S1; G2, child of C2 and S2 (a first
// cousin of G1); and H, the child of the first cousins G1 and G2.  Each
// genotype letter is replaced by another with probability `errorRate`.
std::vector<Relative> MakeFamily(const SimulatedPanel& panel, uint64_t seed, double errorRate = 0.0);
const Relative& FindRelative(const std::vector<Relative>& family, const std::string& name);

// A stretch of SNPs (indexes into the panel) on one chromosome.
struct SharedSegment {
  int32_t chromosome = 0;
  int32_t firstSnp = 0;
  int32_t lastSnp = 0;
  double cm = 0.0;
};
// Where `a` and `b` carry a copy of the same founder haplotype, of at least
// `minCm`; with `a` and `b` the same person, where its two copies come from
// one founder haplotype (runs of homozygosity by descent).
std::vector<SharedSegment> TrueSharedSegments(const SimulatedPanel& panel, const Relative& a, const Relative& b,
                                              double minCm);

// A relative's raw genotype file in the tab-separated layout.
std::string RelativeGenome(const SimulatedPanel& panel, const Relative& person);

// A genetic map in the comma layout "name,chromosome,position,cM,cM,cM" for
// the given SNPs (ordered by chromosome and position), the three positions
// equal.
std::string GeneticMapText(const std::vector<SimulatedSnp>& snps);
// The panel's own map.
inline std::string PanelGeneticMap(const SimulatedPanel& panel) { return GeneticMapText(panel.snps); }

// The genetic position of `position` on `chromosome` from its sex-averaged
// length, with a recombination rate that rises smoothly towards the ends.
double SmoothMapCm(int chromosome, int32_t position);

// "PolozajiSNPov.txt" for the SNPs of the shipped example genomes, which
// must already be in `folder`.
inline constexpr const char* kShippedGeneticMap = "PolozajiSNPov.txt";
bool WriteShippedGeneticMap(const std::string& folder);

}  // namespace varnik::datagen
