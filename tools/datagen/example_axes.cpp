// Simulation behind the example set.  Every population sits at a place on a
// rough map (longitude, latitude).  The allele frequency of each simulated SNP
// changes smoothly across the map (a random gradient on the logit scale plus
// a gentle random curvature), and each population drifts away from that
// surface by its own amount (isolated populations more).  Individuals draw
// their two alleles from their population's frequencies.  The principal
// components of the standardised genotypes then recover the map on the first
// axes and the drifted isolates on later ones, as real data does.
#include "example_axes.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "common/format.h"
#include "example_axes_pca.h"
#include "split_mix.h"
#include "texts/text_table.h"

namespace varnik::datagen {
namespace {

constexpr int kSnpCount = 1000;
constexpr int kAxisCount = 10;
constexpr uint64_t kSimulationSeed = 0x5EED0A5E5ULL;
constexpr uint64_t kComponentSeed = 0xC0FFEE11ULL;


struct Population {
  int32_t textId;     // row of the text table that names the population
  const char* code;   // prefix of the sample names
  double longitude, latitude;
  double drift;       // spread of the population's own deviation (logit scale)
  int32_t count;      // samples
  Color colour;
  int32_t shape;      // marker shape 0-8
};

// Balkans in reds and oranges, Slavs and the Baltic in blues, the west in
// greens, the Caucasus in violets, the Near East in yellows, North Africa in
// browns; the nine marker shapes alternate within each region.
constexpr Population kPopulations[] = {
    {kPopSerbs, "SERB", 20.9, 44.2, 0.05, 150, {230, 40, 40}, 0},
    {kPopSerbsSumadija, "SRBSUM", 20.8, 44.0, 0.06, 40, {255, 90, 90}, 1},
    {kPopSerbsVojvodina, "SRBVOJ", 20.0, 45.3, 0.06, 40, {255, 130, 110}, 2},
    {kPopSerbsHerzegovina, "SRBHER", 18.2, 43.1, 0.08, 40, {200, 30, 80}, 3},
    {kPopCroats, "CROAT", 16.0, 45.6, 0.05, 70, {255, 120, 40}, 4},
    {kPopBulgarians, "BULG", 25.0, 42.6, 0.05, 70, {255, 160, 60}, 5},
    {kPopRomanians, "ROMAN", 25.5, 45.7, 0.05, 70, {240, 190, 80}, 6},
    {kPopHungarians, "HUNG", 19.2, 47.3, 0.05, 70, {220, 110, 160}, 7},
    {kPopAlbanians, "ALBAN", 19.9, 41.2, 0.09, 60, {255, 60, 160}, 8},
    {kPopBalkanHellenic, "GREEK", 22.5, 39.5, 0.06, 70, {255, 200, 150}, 0},
    {kPopBalkanTurks, "BTURK", 27.0, 41.7, 0.06, 50, {210, 150, 120}, 1},
    {kPopAnatolianTurks, "TURKISH", 33.0, 39.0, 0.05, 70, {250, 230, 80}, 2},
    {kPopRussians, "RUSS", 38.0, 56.0, 0.05, 80, {60, 110, 255}, 3},
    {kPopUkrainians, "UKRA", 31.0, 49.0, 0.05, 70, {90, 160, 255}, 4},
    {kPopBelarusians, "BELAR", 28.0, 53.7, 0.05, 60, {120, 190, 255}, 5},
    {kPopLithuanians, "LITH", 24.0, 55.2, 0.08, 60, {40, 200, 230}, 6},
    {kPopPoles, "POLE", 19.5, 52.0, 0.05, 70, {150, 150, 255}, 7},
    {kPopFinns, "FINN", 25.5, 62.0, 0.16, 60, {180, 220, 255}, 8},
    {kPopGermans, "GERM", 10.0, 51.0, 0.05, 70, {60, 200, 90}, 0},
    {kPopFrench, "FRENCH", 2.5, 47.0, 0.05, 70, {120, 230, 120}, 1},
    {kPopFrenchBasques, "BASQ", -1.5, 43.2, 0.15, 50, {0, 160, 80}, 2},
    {kPopSpaniards, "SPAN", -3.7, 40.4, 0.05, 70, {170, 240, 90}, 3},
    {kPopNorthItalians, "NITAL", 10.0, 45.5, 0.05, 60, {90, 220, 180}, 4},
    {kPopTuscans, "TUSC", 11.2, 43.6, 0.06, 60, {60, 240, 200}, 5},
    {kPopSardinians, "SARD", 9.0, 40.0, 0.18, 50, {0, 200, 160}, 6},
    {kPopIrish, "IRISH", -8.0, 53.0, 0.07, 60, {140, 255, 140}, 7},
    {kPopOrcadians, "ORCAD", -3.0, 59.0, 0.15, 40, {200, 255, 200}, 8},
    {kPopArmenians, "ARMEN", 44.5, 40.2, 0.07, 60, {170, 90, 255}, 0},
    {kPopGeorgians, "GEORG", 43.5, 42.0, 0.08, 60, {200, 120, 255}, 1},
    {kPopAdyghe, "ADYGE", 40.0, 44.6, 0.08, 50, {140, 60, 220}, 2},
    {kPopChechens, "CHECH", 45.7, 43.3, 0.10, 50, {220, 160, 255}, 3},
    {kPopDruze, "DRUZE", 35.6, 33.0, 0.14, 50, {255, 255, 120}, 4},
    {kPopPalestinians, "PALES", 35.2, 31.9, 0.06, 60, {230, 210, 40}, 5},
    {kPopBedouinIsrael, "BEDOU", 34.8, 30.8, 0.12, 50, {200, 180, 0}, 6},
    {kPopYemenJews, "YEMJEW", 44.2, 15.4, 0.18, 40, {255, 255, 255}, 7},
    {kPopEgyptians, "EGYPT", 31.2, 30.0, 0.06, 60, {200, 140, 80}, 8},
    {kPopMozabites, "MOZAB", 3.7, 32.5, 0.16, 50, {170, 110, 60}, 0},
    {kPopMoroccans, "MOROC", -7.0, 33.0, 0.07, 60, {230, 170, 110}, 1},
};

// Group slots: index g below 119 is population text g; the regional groups
// of the text table (332, 360-373) take the indices 119 to 133.
std::vector<int32_t> GroupTextIds() {
  std::vector<int32_t> ids;
  for (int32_t id = 0; id <= kPopAnatolianHellenic; ++id) ids.push_back(id);
  ids.push_back(kPopBalkanTurks);
  for (int32_t id = kPopSerbsEastSerbia; id <= kPopCroatsNorthwest; ++id) ids.push_back(id);
  return ids;
}

double Logistic(double x) { return 1.0 / (1.0 + std::exp(-x)); }

// Genotypes (0, 1 or 2 copies of the counted allele) of every sample, row by
// sample, in the order of kPopulations.
std::vector<uint8_t> SimulateGenotypes(std::size_t samples) {
  SplitMix64 random(kSimulationSeed);
  std::vector<uint8_t> genotypes(samples * kSnpCount);
  for (int snp = 0; snp < kSnpCount; ++snp) {
    const double base = std::log(1.0 / (0.05 + 0.9 * random.Uniform()) - 1.0);
    const double east = 0.035 * random.Normal();
    const double north = 0.045 * random.Normal();
    const double curve = 0.0012 * random.Normal();
    std::size_t row = 0;
    for (const Population& p : kPopulations) {
      const double x = p.longitude - 20.0, y = p.latitude - 44.0;
      const double logit = base + east * x + north * y + curve * (x * y) + p.drift * 4.0 * random.Normal();
      const double frequency = Logistic(logit);
      for (int32_t s = 0; s < p.count; ++s, ++row) {
        const int alleles = (random.Uniform() < frequency ? 1 : 0) + (random.Uniform() < frequency ? 1 : 0);
        genotypes[row * kSnpCount + static_cast<std::size_t>(snp)] = static_cast<uint8_t>(alleles);
      }
    }
  }
  return genotypes;
}

// Centres each SNP and scales it by its binomial spread; monomorphic SNPs
// become zero columns.
std::vector<double> Standardise(const std::vector<uint8_t>& genotypes, std::size_t samples) {
  std::vector<double> data(genotypes.size());
  for (std::size_t j = 0; j < kSnpCount; ++j) {
    double sum = 0;
    for (std::size_t i = 0; i < samples; ++i) sum += genotypes[i * kSnpCount + j];
    const double p = sum / (2.0 * static_cast<double>(samples));
    const double spread = std::sqrt(2.0 * p * (1.0 - p));
    for (std::size_t i = 0; i < samples; ++i) {
      data[i * kSnpCount + j] = spread > 0 ? (genotypes[i * kSnpCount + j] - 2.0 * p) / spread : 0.0;
    }
  }
  return data;
}

// Turns every axis so that the map's main direction along it points north or
// east, which gives the pictures a familiar orientation.
void Orient(PrincipalComponents& pcs, const std::vector<double>& longitude, const std::vector<double>& latitude) {
  for (std::size_t a = 0; a < pcs.scores.size(); ++a) {
    double withEast = 0, withNorth = 0;
    for (std::size_t i = 0; i < longitude.size(); ++i) {
      withEast += pcs.scores[a][i] * longitude[i];
      withNorth += pcs.scores[a][i] * latitude[i];
    }
    const double along = std::fabs(withNorth) >= std::fabs(withEast) ? withNorth : withEast;
    if (along < 0) {
      for (double& v : pcs.scores[a]) v = -v;
      for (double& v : pcs.loadings[a]) v = -v;
    }
  }
}

}  // namespace

ComputedAxesSet MakeExampleAxesSet() {
  ComputedAxesSet set;
  set.name = TextById(kTextDataSetEurope290k, kLanguageSerbian);
  set.description = "Главне компоненте симулираних генотипова: 1000 СНПова, 10 оса";
  set.header.formatVersion = 2;
  set.header.computationKind = 3;  // autosomal SNPs, not an STR computation
  set.header.requestedAxisCount = kAxisCount;
  set.header.weightingFlag = 0;

  const std::vector<int32_t> ids = GroupTextIds();
  std::vector<int32_t> slotOfText(kPopCroatsNorthwest + 1, -1);
  for (std::size_t g = 0; g < ids.size(); ++g) {
    CStanovnistvo group;
    group.name = TextById(ids[g], kLanguageSerbian);
    group.secondText = TextById(ids[g], kLanguageEnglish);
    group.colour = ValueFromColor({128, 128, 128});
    group.number = ids[g];
    group.markerShape = static_cast<int32_t>(g % 9);
    set.groups.push_back(group);
    slotOfText[static_cast<std::size_t>(ids[g])] = static_cast<int32_t>(g);
  }

  std::vector<double> longitude, latitude;
  for (const Population& p : kPopulations) {
    const int32_t slot = slotOfText[static_cast<std::size_t>(p.textId)];
    CStanovnistvo& group = set.groups[static_cast<std::size_t>(slot)];
    group.colour = ValueFromColor(p.colour);
    group.markerShape = p.shape;
    for (int32_t s = 1; s <= p.count; ++s) {
      CUzorak sample;
      sample.name = Format("%s%02d", p.code, s);
      sample.secondText = Format("simulated, seed %llu", static_cast<unsigned long long>(kSimulationSeed));
      sample.group = slot;
      set.samples.push_back(sample);
      longitude.push_back(p.longitude);
      latitude.push_back(p.latitude);
    }
  }

  const std::size_t samples = set.samples.size();
  const std::vector<double> data = Standardise(SimulateGenotypes(samples), samples);
  PrincipalComponents pcs = ComputePrincipalComponents(data, samples, kSnpCount, kAxisCount, kComponentSeed);
  Orient(pcs, longitude, latitude);

  for (int snp = 0; snp < kSnpCount; ++snp) {
    MarkerRecord marker;
    marker.name = Format("rs%d", 1000003 + 7919 * snp);
    marker.weight = 1.0;
    set.markers.push_back(marker);
  }
  for (std::size_t a = 0; a < pcs.scores.size(); ++a) {
    AxisRecord axis;
    axis.coefficients = pcs.loadings[a];
    axis.weight = pcs.shares[a];
    axis.values = pcs.scores[a];
    set.axes.push_back(std::move(axis));
  }
  return set;
}

bool WriteExampleAxesSet(const std::string& folder) {
  const ComputedAxesSet set = MakeExampleAxesSet();
  // Labels and the title are found in the text table by these names.
  if (set.name == Texts().Fallback()) return false;
  for (const CUzorak& sample : set.samples) {
    if (set.groups[static_cast<std::size_t>(sample.group)].name == Texts().Fallback()) return false;
  }
  return WriteComputedAxesFile(folder + "/" + kExampleAxesFile, set);
}

}  // namespace varnik::datagen
