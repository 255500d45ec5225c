// The STR mutation model: a Markov chain per marker copy over the marker's
// states (the two tail states and the accepted repeat counts), with single-
// step, two-step and rarer far (3 to 5 repeats) changes, its one-generation
// transition matrix, and the g-generation matrix reached by repeated
// multiplication.
#pragma once

#include <cstdint>
#include <vector>

namespace varnik {

// A square matrix of doubles, row by row; element (i, j) is the probability
// of going from state i (before) to state j (after).
struct CKvadratnaMatrica {
  int32_t side = 0;
  std::vector<int32_t> rowOffsets;  // row i starts at i x side
  std::vector<double> values;

  // Makes a side x side matrix of zeros.
  void Create(int32_t n);
  double& at(int32_t i, int32_t j) { return values[static_cast<std::size_t>(rowOffsets[i] + j)]; }
  double at(int32_t i, int32_t j) const { return values[static_cast<std::size_t>(rowOffsets[i] + j)]; }
  friend bool operator==(const CKvadratnaMatrica&, const CKvadratnaMatrica&) = default;
};

// One marker copy taking part in an age computation.
struct CSTROznaka {
  int32_t marker = -1;  // EOznaka
  double rate = 0.0;    // mutation probability per generation
  std::vector<int32_t> states;  // state codes: low tail, accepted counts + 18 ascending, high tail
  CKvadratnaMatrica oneStep;    // one generation
  CKvadratnaMatrica gStep;      // the current number of generations
  int32_t ancestorCode = 0;     // 0 = unknown
  int32_t ancestorState = 0;    // index into states; -1 = unknown
  std::vector<int32_t> descendantCodes;   // one per descendant, 0 = unknown
  std::vector<int32_t> descendantStates;  // index into states, -1 = unknown
  double oneStepShare = 0.95;
  double twoStepShare = 0.05;
  double farStepWeight = 0.0004;  // per far state, not shared out
};

// Index of `code` among the record's states, or -1.
int32_t StateOfCode(const CSTROznaka& record, int32_t code);

// Number of repeat steps between two state codes of the record's marker; a
// tail code counts as the count just outside the accepted range.
int32_t StepCount(const CSTROznaka& record, int32_t codeA, int32_t codeB);

// Fills `record` for `marker` (0..110) with the given ancestral and
// descendant codes.  The rate is the table's unless `rateOverride` is not 0;
// with `divideByMeanStep` it is divided by the mean number of repeats a
// mutation moves (1.058 with the default shares), so that the table's rates
// count repeat changes.
//
// Failure with errorIndex -1: the ancestral code is unknown or not a state
// (the record is still complete and usable, with ancestorState -1).
// Failure with errorIndex d >= 0: descendant d's code is not a state (a
// code of 0 is accepted as unknown when acceptUnknownDescendants is on); the
// matrices are then not built.  errorIndex -2: no such marker.
bool SetUpMarker(CSTROznaka& record, int32_t marker, int32_t ancestorCode, const std::vector<int32_t>& descendantCodes,
                 double rateOverride, bool acceptUnknownDescendants, bool divideByMeanStep, int32_t& errorIndex);

// Builds the one-step matrix from the states, the rate and the shares.
void BuildOneStepMatrix(CSTROznaka& record);

// The g-step matrix becomes the one-step matrix (one generation).
void ResetGenerations(CSTROznaka& record);

// What AdvanceGeneration keeps between the generations of one record: the
// non-zero entries of its one-step matrix, row by row, and a buffer for the
// new matrix.  One per record, for as long as its one-step matrix stays.
struct GenerationWork {
  std::vector<int32_t> rowStart;  // entries of row i: rowStart[i] to rowStart[i + 1]
  std::vector<int32_t> column;
  std::vector<double> weight;
  std::vector<double> buffer;
};

// g-step := one-step x g-step, each element's products added smallest first.
// A caller that advances a record over many generations lends it `work`.
void AdvanceGeneration(CSTROznaka& record, GenerationWork* work = nullptr);

}  // namespace varnik
