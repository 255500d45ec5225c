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
  m.copiesUsed = 2;
  m.lnFloor = std::log(1e-4);
  m.reserved50 = 49.0;
  m.floorProbability = 1e-4;

  COgranakLoze2 group = test::Branch("R", {{0, 12, {0.5, 0, 0.5}}});
  m.parentGroups = {group};

  COgranakLoze2 b = test::Branch("R1a", {{0, 12, {0.2, 0.8}}, {3, 10, {0.5, 0, 0.25, 0.25}}}, m.lnFloor);
  b.names = {"Р1а", "R1a"};
  b.weights = {1.0, 2.0};
  b.snpNode = 1;
  b.parentLinks = {{0, 0.6, 0.1}};
  b.lnParentBonus = 0.5;
  b.markers[3].copies[0].spare = {7, 3, 0};
  // A second completeness class (values typed .2) for column 0.
  auto& extra = b.markers[0].copies[0].classes.emplace_back();
  extra.firstValue = 13;
  extra.lnP = {std::log(0.1)};
  b.groupJoins = {{3, {EncodeItem(0, 0, 12, 0), EncodeItem(3, 0, 10, 0), EncodeItem(4, 1, 15, 0)}, {-2.5f}}};
  CRaspodelaUklapanjaSkupaOznak stats;
  stats.meanFitness = 0.55;
  stats.fitnessSpread = 0.1;
  stats.ownHistogram = {40, {4, 0, 0, 6}, 10};
  stats.otherHistogram = {10, {3, 2}, 5};
  stats.priorRatio = 0.02;
  b.fitStats = {stats, stats};
  m.branches = {b};
  m.branchJoins = {{{-1.25f, -3.5f}, {EncodeItem(0, 0, 12, 0) | (uint32_t{EncodeItem(3, 0, 11, 0)} << 16),
                                       EncodeItem(4, 1, 15, 0) | (uint32_t{EncodeItem(5, 0, 9, 0)} << 16)},
                     1}};
  return m;
}

class PredictorModelFileVersion : public ::testing::TestWithParam<int32_t> {};

// Every version branch of the reader: fields of the layout come back as
// written, the others keep the values older files imply.
TEST_P(PredictorModelFileVersion, ReadsTheFieldsOfItsLayout) {
  const int32_t v = GetParam();
  const CPredvigjacMuskihLoz2 written = RichModel();
  CPredvigjacMuskihLoz2 m;
  ASSERT_TRUE(ReadPredictorModel(WriteModelLayout(written, v), m));
  const CPredvigjacMuskihLoz2 fresh;

  EXPECT_EQ(m.lnMinGain, v >= 13 ? written.lnMinGain : fresh.lnMinGain);
  EXPECT_EQ(m.parentCorrection, v >= 13 ? written.parentCorrection : 0.0);
  EXPECT_EQ(m.restrictTo23, v >= 12 ? 1 : 0);
  EXPECT_EQ(m.minSetOverlap, v >= 12 ? 0.6 : 0.7);
  EXPECT_EQ(m.statSets, v >= 12 ? written.statSets : std::vector<int32_t>{0});
  ASSERT_EQ(m.snpTree.size(), v >= 10 ? 2u : 0u);
  if (v >= 10) {
    EXPECT_EQ(m.snpTree[1].names, written.snpTree[1].names);
    EXPECT_EQ(m.snpTree[1].parent, 0);
    EXPECT_EQ(m.snpTree[0].group, v >= 11 ? 0 : -1);
  }
  EXPECT_EQ(m.ignoreFractions, v >= 8 ? 0 : 1);
  ASSERT_EQ(m.parentGroups.size(), v >= 8 ? 1u : 0u);
  if (v >= 8) {  // a super-group's absent values take the initial floor, not the file's
    EXPECT_EQ(m.parentGroups[0].markers[0].copies[0].classes[0].lnP[1], fresh.lnFloor);
  }
  EXPECT_EQ(m.minMarkersForStats, v >= 6 ? 12 : 1000);
  EXPECT_EQ(m.warnFitness, v >= 6 ? 0.75 : 0.8);
  EXPECT_EQ(m.lnFloor, v >= 5 ? written.lnFloor : fresh.lnFloor);
  EXPECT_EQ(m.floorProbability, v >= 4 ? 1e-4 : 2e-5);

  ASSERT_EQ(m.branches.size(), 1u);
  ASSERT_EQ(m.branchJoins.size(), 1u);
  const COgranakLoze2& b = m.branches[0];
  EXPECT_EQ(b.names, written.branches[0].names);
  EXPECT_EQ(b.weights, written.branches[0].weights);
  EXPECT_EQ(b.snpNode, v >= 10 ? 1 : -1);
  EXPECT_EQ(b.parentLinks.size(), v >= 8 ? 1u : 0u);
  EXPECT_EQ(b.lnParentBonus, v >= 13 ? 0.5 : std::log(2.0));
  EXPECT_EQ(b.groupJoins.size(), v >= 13 ? 1u : 0u);
  if (v >= 13) {
    EXPECT_EQ(b.groupJoins[0].items, written.branches[0].groupJoins[0].items);
    EXPECT_EQ(b.groupJoins[0].lnJoint[0], -2.5f);
  }
  ASSERT_EQ(b.markers.size(), 4u);
  EXPECT_TRUE(b.markers[1].copies.empty());
  EXPECT_EQ(b.markers[3].copies[0].classes[0].lnP, written.branches[0].markers[3].copies[0].classes[0].lnP);
  EXPECT_EQ(b.markers[3].copies[0].spare, (std::array<int32_t, 3>{7, 3, 0}));
  EXPECT_EQ(b.markers[0].copies[0].classes.size(), 2u);

  if (v >= 12) {
    ASSERT_EQ(b.fitStats.size(), 2u);
    EXPECT_EQ(b.fitStats[1].ownHistogram.counts, (std::vector<int32_t>{4, 0, 0, 6}));
    EXPECT_EQ(b.fitStats[1].ownHistogram.total, 10);
    EXPECT_EQ(b.fitStats[1].priorRatio, 0.02);
  } else {
    // The legacy record: the mean fitness (or 1.0) and no histograms.
    ASSERT_EQ(b.fitStats.size(), 1u);
    const double mean = v >= 7 ? 0.55 : 1.0;
    EXPECT_EQ(b.fitStats[0].meanFitness, mean);
    EXPECT_EQ(b.fitStats[0].fitnessSpread, mean);
    EXPECT_LT(b.fitStats[0].ownHistogram.start, 0);
    EXPECT_EQ(b.fitStats[0].priorRatio, 1.0);
  }

  const auto& joins = m.branchJoins[0];
  EXPECT_EQ(joins.split, v >= 9 ? 1 : -1);
  EXPECT_EQ(joins.items, written.branchJoins[0].items);
  EXPECT_EQ(joins.lnJoint, written.branchJoins[0].lnJoint);
}

INSTANTIATE_TEST_SUITE_P(AllVersions, PredictorModelFileVersion, ::testing::Range(1, 16));

TEST(PredictorModelFile, WriterProducesTheVersion15LayoutAndReadsBackEqual) {
  const CPredvigjacMuskihLoz2 m = RichModel();
  const std::string bytes = SerializePredictorModel(m);
  EXPECT_EQ(bytes, WriteModelLayout(m, 15));
  CPredvigjacMuskihLoz2 back;
  ASSERT_TRUE(ReadPredictorModel(bytes, back));
  EXPECT_EQ(SerializePredictorModel(back), bytes);
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
  EXPECT_EQ(copy.classes[0].firstValue, 11);
  EXPECT_EQ(copy.classes[0].lnP, (std::vector<double>{-0.5, m.lnFloor, -1.5}));
  EXPECT_FALSE(ReadPredictorModel(OneClassFile(11, 9, {0x01}, {-0.5}), m));
  EXPECT_FALSE(ReadPredictorModel(OneClassFile(11, 0x7fffffff, {0x01}, {-0.5}), m));
}

TEST(PredictorModelFile, OldPairJoinCodingIsCutToTheItemFields) {
  CPredvigjacMuskihLoz2 written;
  written.branches.resize(1);
  written.branchJoins = {{{-2.0f}, {0}, -1}};
  std::string bytes = WriteModelLayout(written, 13);
  bytes.resize(bytes.size() - 8);  // the join's two words, replaced by ones too wide for the item
  ByteWriter w;
  w.WriteU32((3 * 64 + 1) | (uint32_t{70 * 64 + 2} << 16));    // value 70 does not fit in 6 bits
  w.WriteU32((130 * 64 + 0) | (uint32_t{12 * 64 + 0} << 16));  // nor column 130 in 7
  CPredvigjacMuskihLoz2 m;
  ASSERT_TRUE(ReadPredictorModel(bytes + w.str(), m));
  // Item fields: column 7 bits, copy 1, value 6, fraction 2.
  const uint32_t first = 3 | 1 << 7 | (70 & 63) << 8 | 2 << 14;
  const uint32_t second = (130 & 127) | 12 << 8;
  EXPECT_EQ(m.branchJoins[0].items, (std::vector<uint32_t>{first | second << 16}));
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
  std::string bytes = WriteModelLayout(RichModel(), 15);
  EXPECT_FALSE(ReadPredictorModel(WriteModelLayout(RichModel(), 16), m));
  EXPECT_FALSE(ReadPredictorModel(WriteModelLayout(RichModel(), 0), m));
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
  ByteWriter w;
  w.WriteI32(3);
  w.WriteI32(0x7fffffff);  // K
  EXPECT_FALSE(ReadPredictorModel(w.str(), m));
}

TEST(PredictorHistogram, SmoothedCountsLookTowardsTheNearerEndFirst) {
  const CHistogramUklapanja h{40, {4, 0, 0, 6}, 10};
  EXPECT_EQ(h.SmoothedCount(40), 4);
  EXPECT_EQ(h.SmoothedCount(41), 2);
  EXPECT_EQ(h.SmoothedCount(42), 3);
  EXPECT_EQ(h.SmoothedCount(45), 0);
  // Half of 1 is still 1; with nothing on the nearer side the other side serves.
  EXPECT_EQ((CHistogramUklapanja{0, {0, 0, 1, 0, 0, 0}, 1}).SmoothedCount(1), 1);
  EXPECT_EQ((CHistogramUklapanja{0, {0, 0, 0, 0, 0, 0}, 0}).SmoothedCount(2), 0);
}

TEST(PredictorLookup, ValueProbabilityFallsBackToTheFloor) {
  const COgranakLoze2 b = test::Branch("X", {{2, 14, {0.5, 0.5}}});
  EXPECT_EQ(LnValueProbability(b, 2, 0, 0, 0, -9.0), 0.0);
  EXPECT_EQ(LnValueProbability(b, 2, 15, 0, 0, -9.0), std::log(0.5));
  EXPECT_EQ(LnValueProbability(b, 2, 16, 0, 0, -9.0), -9.0);
  EXPECT_EQ(LnValueProbability(b, 2, 14, 2, 0, -9.0), -9.0);   // no class for .2
  EXPECT_EQ(LnValueProbability(b, 2, 14, 0, 1, -9.0), -9.0);   // no copy b
  EXPECT_EQ(LnValueProbability(b, 50, 14, 0, 0, -9.0), -9.0);  // past the last column
}

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
