// Scoring of a haplotype against a predictor model: for every branch a
// probability (equal priors), a fitness and two auxiliary ratios.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "predictor/predictor_model.h"
#include "ystr/str_value.h"

namespace varnik {

struct CIshodPredvidjanja {
  // One element per branch, in the model's order.
  std::vector<double> probability;
  std::vector<double> fitness;
  std::vector<double> relativeFitness;   // -1 when not computed
  std::vector<double> unsupportedRatio;  // -1 when not computed
  std::vector<std::string> names;
  int32_t chosenSet = -1;     // index into statSets, -1 none
  int32_t removedValues = 0;  // present values cut away by restrictTo23
};

// Works out the model's lookup tables (scoringTables): every value's
// log-probability and probability under every branch and super-group, the
// pair joins in a decoded form and, per branch, what the parent correction
// and the unsupported-subclade estimate need of every value under the
// branch's own super-group.  The reader and the builder prepare
// the models they return; ScoreHaplotype works out the tables for a single
// call when a model has none or they no longer fit it.
void PrepareForScoring(CPredvigjacMuskihLoz2& model);

// Scores `haplotype` (FTDNA order, column 10 as DYS389II minus DYS389I).
// `knownSnp` is a node of the model's SNP tree or -1; `language` picks the
// branch names (0 Serbian, 1 English).
CIshodPredvidjanja ScoreHaplotype(const CPredvigjacMuskihLoz2& model, int32_t knownSnp, const Haplotype& haplotype,
                                  int32_t language);

// Makes missing every present value of a column and copy that no branch of
// the model has frequencies for, and returns how many it made missing.
// Scored, such a value would sit at the floor for every branch alike, which
// says nothing about the branches and yet moves them apart through the
// parent correction and lowers every fitness.
int32_t DropUnknownValues(const CPredvigjacMuskihLoz2& model, Haplotype& haplotype);

// The prediction as the predictor shows it: the values that no branch knows
// are left out (DropUnknownValues) and counted in `removedValues` with
// those cut by restrictTo23, then the rest is scored.
CIshodPredvidjanja ScoreForPrediction(const CPredvigjacMuskihLoz2& model, int32_t knownSnp, const Haplotype& haplotype,
                                      int32_t language);

// The super-group whose frequencies stand for the branch's parent in the
// unsupported-subclade estimate and the parent correction; -1 for none.
int32_t SuperGroupOf(const CPredvigjacMuskihLoz2& model, const COgranakLoze2& branch, int32_t knownSnp);

// How far a fitness is typical of a branch's own samples rather than of
// other branches' samples, from one record of fit statistics.
double FitFactor(const CRaspodelaUklapanjaSkupaOznak& stats, double fitness);

// Rewrites `haplotype` with the branch's most frequent value for every
// present entry that the branch has data for; with `wholeValuesOnly` the
// completeness classes are pooled and fractions are left as they are.
void MostFrequentValues(const CPredvigjacMuskihLoz2& model, int32_t branch, Haplotype& haplotype,
                        bool wholeValuesOnly);

}  // namespace varnik
