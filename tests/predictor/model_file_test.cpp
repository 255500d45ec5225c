#include <gtest/gtest.h>

#include <cmath>

#include "common/binary_io.h"
#include "predictor/model_file.h"
#include "predictor/model_layouts.h"

namespace varnik {
namespace {

using test::WriteModelLayout;

// A model that sets every field away from its fresh value.
CPredvigjacMuskihLoz2 RichModel() {
  CPredvigjacMuskihLoz2 m;
  m.lnMinBranchP = -1.5;
  m.lnMinGain = 0.4;
  m.lnMaxGain = 1.9;
  m.parentCorrection = 0.25;
  m.restrictTo23 = 1;
  m.minSetOverlap = 0.6;
  m.statSets = {6, 7};
  m.snpTree = {{{"M207"}, -1, 0}, {{"М198", "M198"}, 0, -1}};
  m.ignoreFractions = 0;
  m.minMarkersForStats = 12;
  m.warnFitness = 0.75;
  m.lnFloor = std::log(1e-4);
  m.reserved50 = 49.0;
  m.floorProbability = 1e-4;

  m.parentGroups = {test::Branch("R", {{0, 12, {0.5, 0, 0.5}}})};

  COgranakLoze2 b = test::Branch("R1a", {{0, 12, {0.2, 0.8}}, {3, 10, {0.5, 0, 0.25, 0.25}}}, m.lnFloor);
  b.names = {"Р1а", "R1a"};
  b.weights = {1.0, 2.0};
  b.snpNode = 1;
  b.parentLinks = {{0, 0.6, 0.1}};
  b.lnParentBonus = 0.5;
  b.markers[3].copies[0].spare = {7, 3, 0};
  b.markers[0].copies[0].classes.push_back({13, {std::log(0.1)}});  // a second completeness class
  b.groupJoins = {{3, {EncodeItem(0, 0, 12, 0), EncodeItem(3, 0, 10, 0), EncodeItem(4, 1, 15, 0)}, {-2.5f}}};
  const CRaspodelaUklapanjaSkupaOznak stats{0.55, 0.1, {40, {4, 0, 0, 6}, 10}, {10, {3, 2}, 5}, 0.02};
  b.fitStats = {stats, stats};
  m.branches = {b};
  m.branchJoins = {{{-1.25f, -3.5f}, {EncodeItem(0, 0, 12, 0) | (uint32_t{EncodeItem(3, 0, 11, 0)} << 16),
                                       EncodeItem(4, 1, 15, 0) | (uint32_t{EncodeItem(5, 0, 9, 0)} << 16)},
                     1}};
  return m;
}

class PredictorModelFileVersion : public ::testing::TestWithParam<int32_t> {};

// Every version branch of the reader: the fields of the layout come back
// (written again, they give the same bytes), the others keep the values
// older files imply.
TEST_P(PredictorModelFileVersion, ReadsTheFieldsOfItsLayout) {
  const int32_t v = GetParam();
  const std::string bytes = WriteModelLayout(RichModel(), v);
  CPredvigjacMuskihLoz2 m;
  ASSERT_TRUE(ReadPredictorModel(bytes, m));
  EXPECT_EQ(WriteModelLayout(m, v), bytes);
  ASSERT_EQ(m.branches.size(), 1u);
  const COgranakLoze2& b = m.branches[0];
  const CPredvigjacMuskihLoz2 fresh;
  if (v < 13) {
    EXPECT_EQ(m.parentCorrection, 0.0);
    EXPECT_EQ(m.lnMinGain, fresh.lnMinGain);
    EXPECT_EQ(b.lnParentBonus, std::log(2.0));
  }
  if (v < 12) {
    EXPECT_EQ(m.minSetOverlap, 0.7);
    EXPECT_EQ(m.statSets, std::vector<int32_t>{0});
    // The legacy record: the mean fitness (or 1.0) and no histograms.
    ASSERT_EQ(b.fitStats.size(), 1u);
    EXPECT_EQ(b.fitStats[0].meanFitness, v >= 7 ? 0.55 : 1.0);
    EXPECT_EQ(b.fitStats[0].fitnessSpread, b.fitStats[0].meanFitness);
    EXPECT_LT(b.fitStats[0].ownHistogram.start, 0);
    EXPECT_EQ(b.fitStats[0].priorRatio, 1.0);
  }
  if (v < 10) { EXPECT_TRUE(m.snpTree.empty() && b.snpNode == -1); }
  if (v == 10) { EXPECT_EQ(m.snpTree.at(0).group, -1); }
  if (v < 9) { EXPECT_EQ(m.branchJoins.at(0).split, -1); }
  if (v < 8) { EXPECT_TRUE(m.ignoreFractions == 1 && m.parentGroups.empty() && b.parentLinks.empty()); }
  if (v >= 8) {  // a super-group's absent values take the initial floor, not the file's
    EXPECT_EQ(m.parentGroups.at(0).markers[0].copies[0].classes[0].lnP[1], fresh.lnFloor);
  }
  if (v < 6) { EXPECT_EQ(m.warnFitness, 0.8); }
  if (v < 5) { EXPECT_EQ(m.lnFloor, fresh.lnFloor); }
  if (v < 4) { EXPECT_EQ(m.floorProbability, 2e-5); }
}

INSTANTIATE_TEST_SUITE_P(AllVersions, PredictorModelFileVersion, ::testing::Range(1, 16));

TEST(PredictorModelFile, WriterProducesTheVersion15Layout) {
  EXPECT_EQ(SerializePredictorModel(RichModel()), WriteModelLayout(RichModel(), 15));
}

// Version 1: one branch without names or weights, one column, one copy
// with the class record given and an empty second class.
std::string OneClassFile(int32_t firstValue, int32_t n, std::vector<uint8_t> mask, std::vector<double> values) {
  ByteWriter w;
  for (int32_t i : {1, 1, 0, 0, 1, 1, 2, firstValue, n, static_cast<int32_t>(mask.size())}) w.WriteI32(i);
  w.WriteBytes(mask.data(), mask.size());
  for (double v : values) w.WriteF64(v);
  for (int i = 0; i < 7; ++i) w.WriteI32(0);  // the empty class, the spare fields, no pair joins
  return w.str();
}

TEST(PredictorModelFile, ClassMaskMarksPresentValuesAndMoreValuesThanMaskBitsFail) {
  CPredvigjacMuskihLoz2 m;
  ASSERT_TRUE(ReadPredictorModel(OneClassFile(11, 3, {0x05}, {-0.5, -1.5}), m));
  const auto& copy = m.branches[0].markers[0].copies[0];
  ASSERT_EQ(copy.classes.size(), 1u);  // the trailing empty class is dropped
  EXPECT_EQ(copy.classes[0].lnP, (std::vector<double>{-0.5, m.lnFloor, -1.5}));
  EXPECT_FALSE(ReadPredictorModel(OneClassFile(11, 9, {0x01}, {-0.5}), m));
  EXPECT_FALSE(ReadPredictorModel(OneClassFile(11, 0x7fffffff, {0x01}, {-0.5}), m));
}

TEST(PredictorModelFile, EveryTruncationFailsCleanly) {
  for (int32_t v : {1, 9, 13, 14, 15}) {
    const std::string bytes = WriteModelLayout(RichModel(), v);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      CPredvigjacMuskihLoz2 m;
      ASSERT_FALSE(ReadPredictorModel(std::string_view(bytes).substr(0, cut), m)) << "version " << v << " cut " << cut;
      ASSERT_TRUE(m.branches.empty());
    }
  }
}

TEST(PredictorModelFile, UnknownVersionsAndAbsurdCountsFail) {
  CPredvigjacMuskihLoz2 m;
  const std::string bytes = WriteModelLayout(RichModel(), 15);
  EXPECT_FALSE(ReadPredictorModel(WriteModelLayout(RichModel(), 16), m));
  EXPECT_FALSE(ReadPredictorModel(WriteModelLayout(RichModel(), 0), m));
  EXPECT_FALSE(ReadPredictorModel(std::string("\x03\0\0\0\xff\xff\xff\x7f", 8), m));  // version 3, K huge
  // Overwrite each int32 in turn with huge and negative counts: the reader
  // must refuse without allocating for them (ASan would report a failed
  // huge allocation) and without reading past the end.
  for (std::size_t at = 4; at + 4 <= bytes.size(); at += 4) {
    for (uint32_t absurd : {0x7fffffffu, 0x80000000u, 0x10000000u}) {
      std::string damaged = bytes;
      for (int k = 0; k < 4; ++k) damaged[at + k] = static_cast<char>(absurd >> (8 * k));
      CPredvigjacMuskihLoz2 read;
      ReadPredictorModel(damaged, read);  // may succeed where the field is not a count
    }
  }
}

// Numbers that the scoring cannot use: non-finite values, log-probabilities
// above 0, histogram bounds whose ends overflow, negative sample counts, and
// a model whose branches hold no distribution at all.
TEST(PredictorModelFile, ValuesTheScoringCannotUseAreRefused) {
  const double nan = std::nan("");
  const double inf = HUGE_VAL;
  using Change = void (*)(CPredvigjacMuskihLoz2&, double);
  const std::vector<std::pair<const char*, Change>> fields = {
      {"lnP", [](CPredvigjacMuskihLoz2& m, double v) { m.branches[0].markers[0].copies[0].classes[0].lnP[0] = v; }},
      {"group lnP", [](CPredvigjacMuskihLoz2& m, double v) { m.parentGroups[0].markers[0].copies[0].classes[0].lnP[0] = v; }},
      {"pair join", [](CPredvigjacMuskihLoz2& m, double v) { m.branchJoins[0].lnJoint[1] = static_cast<float>(v); }},
      {"group join", [](CPredvigjacMuskihLoz2& m, double v) { m.branches[0].groupJoins[0].lnJoint[0] = static_cast<float>(v); }},
      {"lnFloor", [](CPredvigjacMuskihLoz2& m, double v) { m.lnFloor = v; }},
  };
  for (const auto& [name, change] : fields) {
    for (const double v : {nan, inf, -inf, 1e300, 0.5}) {
      CPredvigjacMuskihLoz2 model = RichModel();
      change(model, v);
      CPredvigjacMuskihLoz2 read;
      EXPECT_FALSE(ReadPredictorModel(SerializePredictorModel(model), read)) << name << " " << v;
    }
  }
  const std::vector<std::pair<const char*, Change>> finite = {
      {"mean fitness", [](CPredvigjacMuskihLoz2& m, double v) { m.branches[0].fitStats[1].meanFitness = v; }},
      {"prior ratio", [](CPredvigjacMuskihLoz2& m, double v) { m.branches[0].fitStats[0].priorRatio = v; }},
      {"up ratio", [](CPredvigjacMuskihLoz2& m, double v) { m.branches[0].parentLinks[0].expectedUpRatio = v; }},
      {"weight", [](CPredvigjacMuskihLoz2& m, double v) { m.branches[0].weights[1] = v; }},
      {"overlap", [](CPredvigjacMuskihLoz2& m, double v) { m.minSetOverlap = v; }},
      {"gain", [](CPredvigjacMuskihLoz2& m, double v) { m.lnMaxGain = v; }},
      {"bonus", [](CPredvigjacMuskihLoz2& m, double v) { m.branches[0].lnParentBonus = v; }},
  };
  for (const auto& [name, change] : finite) {
    for (const double v : {nan, inf}) {
      CPredvigjacMuskihLoz2 model = RichModel();
      change(model, v);
      CPredvigjacMuskihLoz2 read;
      EXPECT_FALSE(ReadPredictorModel(SerializePredictorModel(model), read)) << name << " " << v;
    }
  }
  // A bonus of minus infinity is a way of turning the correction off.
  CPredvigjacMuskihLoz2 model = RichModel();
  model.branches[0].lnParentBonus = -inf;
  CPredvigjacMuskihLoz2 read;
  EXPECT_TRUE(ReadPredictorModel(SerializePredictorModel(model), read));

  using Damage = void (*)(CPredvigjacMuskihLoz2&);
  for (const Damage damage : std::vector<Damage>{
           [](CPredvigjacMuskihLoz2& m) { m.branches[0].fitStats[0].ownHistogram.start = 0x7ffffffe; },
           [](CPredvigjacMuskihLoz2& m) { m.branches[0].fitStats[0].otherHistogram.start = -0x7fffffff; },
           [](CPredvigjacMuskihLoz2& m) { m.branches[0].fitStats[1].ownHistogram.counts[1] = -3; },
           [](CPredvigjacMuskihLoz2& m) { m.branches[0].markers.clear(); },
       }) {
    CPredvigjacMuskihLoz2 damaged = RichModel();
    damage(damaged);
    EXPECT_FALSE(ReadPredictorModel(SerializePredictorModel(damaged), read));
  }
}

// Small records that stand for large structures: a file of millions of
// empty branches, or of classes whose values are all absent, is refused
// before it takes more than a few times its size in memory.
TEST(PredictorModelFile, FilesThatWouldTakeFarMoreMemoryThanTheirSizeAreRefused) {
  constexpr std::size_t kSize = std::size_t{32} << 20;
  ByteWriter emptyBranches;
  emptyBranches.WriteI32(1);
  emptyBranches.WriteI32(static_cast<int32_t>((kSize - 8) / 16));
  std::string bytes = emptyBranches.str();
  bytes.resize(kSize, '\0');  // each branch: no names, weights, columns or pair joins
  CPredvigjacMuskihLoz2 m;
  EXPECT_FALSE(ReadPredictorModel(bytes, m));

  // One branch, one column of copies that each hold one class of 4096
  // absent values: 524 bytes of file for 32 KiB of distribution.
  ByteWriter classes;
  constexpr int32_t kCopies = static_cast<int32_t>(kSize / (16 + 524));
  for (int32_t i : {1, 1, 0, 0, 1, kCopies}) classes.WriteI32(i);
  for (int32_t k = 0; k < kCopies; ++k) {
    for (int32_t i : {1, 11, 4096, 512}) classes.WriteI32(i);
    const std::vector<uint8_t> mask(512, 0);
    classes.WriteBytes(mask.data(), mask.size());
    for (int i = 0; i < 3; ++i) classes.WriteI32(0);
  }
  classes.WriteI32(0);
  EXPECT_FALSE(ReadPredictorModel(classes.str(), m));
  EXPECT_TRUE(m.branches.empty());
}

TEST(PredictorHistogram, SmoothedCountsLookTowardsTheNearerEndFirst) {
  const CHistogramUklapanja h{40, {4, 0, 0, 6}, 10};
  EXPECT_EQ(h.SmoothedCount(41), 2);
  EXPECT_EQ(h.SmoothedCount(42), 3);
  EXPECT_EQ(h.SmoothedCount(45), 0);
  // Half of 1 is still 1; with nothing on the nearer side the other side serves.
  EXPECT_EQ((CHistogramUklapanja{0, {0, 0, 1, 0, 0, 0}, 1}).SmoothedCount(1), 1);
}

// A damaged file may link its SNP nodes in a cycle; the walk still ends.
TEST(PredictorSnpTree, AncestryWalksParentsAndSurvivesCycles) {
  CPredvigjacMuskihLoz2 m;
  m.snpTree = {{{"a"}, -1, -1}, {{"b"}, 0, -1}, {{"c"}, 1, -1}, {{"x"}, 4, -1}, {{"y"}, 3, -1}};
  EXPECT_TRUE(IsSnpAncestor(m, 2, 0));
  EXPECT_TRUE(IsSnpAncestor(m, 2, 2));
  EXPECT_FALSE(IsSnpAncestor(m, 0, 2));
  EXPECT_FALSE(IsSnpAncestor(m, 3, 0));  // 3 and 4 form a cycle
}

}  // namespace
}  // namespace varnik
