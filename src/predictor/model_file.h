// Predictor model files: binary, little-endian, versioned (1 to 15).
//
// int32 version V, then, each only from the version named:
//   V>=13  double lnMinBranchP, lnMinGain, lnMaxGain, parentCorrection
//   V>=12  int32 restrictTo23, double minSetOverlap, int32 n, n x int32 statSets
//   V>=10  int32 n, n x SNP node { V>=11: int32 group; int32 m, m texts; int32 parent }
//   V>=8   int32 ignoreFractions, int32 n, n x branch record (parentGroups)
//   V>=6   int32 minMarkersForStats, double warnFitness
//   V>=5   int32 copiesUsed, double lnFloor, double (reserved)
//   V>=4   double floorProbability
//          int32 K, K x (branch record, pair-join record)
// A text is an int32 count of UTF-16 code units and the units.
//
// Branch record:
//   V>=13  int32 n, n x group-join record; double lnParentBonus
//   V>=12  int32 n, n x fit-statistics record
//   V>=10  int32 snpNode
//   V>=8   int32 n, n x link { int32 group, double, double }
//          int32 n, n texts (names); int32 n, n doubles (weights)
//          int32 n, n x column { int32 m, m x copy { int32 c, c x class, 3 x int32 } }
//   7<=V<12  double: the mean fitness of the single legacy statistics record
// Class record: int32 firstValue, int32 n, int32 m, m mask bytes (bit i%8 of
// byte i/8 set when value i is present), one double per present value.
// Values that are absent take the floor in force when the record is read:
// the initial ln(2e-5) for super-groups, the file's lnFloor for branches.
// Fit-statistics record: double mean fitness, double, histogram, histogram,
// double priorRatio; histogram: int32 start, byte w (4: int32 counts, other:
// int16), int32 n, n counts.
// Group-join record: int32 k, int32 n, n log-probabilities (float32 in V=15,
// double before), k*n uint16 items.
// Pair-join record: V>=9 int32 split; int32 n; n joins of float32 + uint32
// (V=15), double + uint32 (V=14) or, before, double + two uint32 words each
// coding one item as (column*64 + copy) | (value*64 + fraction) << 16.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "predictor/predictor_model.h"

namespace varnik {

inline constexpr int32_t kModelFileVersion = 15;

// Reads a whole model file from memory.  False for a short or malformed
// file, a version above 15 or counts that the remaining bytes cannot hold;
// `model` is then left as a fresh model.
bool ReadPredictorModel(std::string_view bytes, CPredvigjacMuskihLoz2& model);
// Reads the model file at `path`; false also when it cannot be read.
bool LoadPredictorModel(const std::string& path, CPredvigjacMuskihLoz2& model);

// The version-15 file of a model.  Distribution entries equal to the floor
// that a reader applies to them are written as absent.
std::string SerializePredictorModel(const CPredvigjacMuskihLoz2& model);
bool SavePredictorModel(const std::string& path, const CPredvigjacMuskihLoz2& model);

}  // namespace varnik
