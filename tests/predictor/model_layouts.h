// Test support: writes a model in the layout of any file version 1 to 15,
// and builds small models by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "predictor/predictor_model.h"
#include "ystr/str_value.h"

namespace varnik::test {

// The bytes of `model` in the layout of `version`.  Fields that the layout
// lacks are left out; pair-join items of versions before 14 are written in
// the older two-word coding.
std::string WriteModelLayout(const CPredvigjacMuskihLoz2& model, int32_t version);

// A distribution of one copy with class 0 only: frequencies of values
// firstValue, firstValue + 1, ... (0 means absent: the floor).
CUcestanostiVrednostijPojedinacnogaSTRa2 Copy(int32_t firstValue, const std::vector<double>& frequencies,
                                               double floor = CPredvigjacMuskihLoz2().lnFloor);

// A branch with names {name, name} and one copy-0 distribution per listed
// column; other columns have no data.
struct ColumnFrequencies {
  int32_t column;
  int32_t firstValue;
  std::vector<double> frequencies;
};
COgranakLoze2 Branch(const std::string& name, const std::vector<ColumnFrequencies>& columns,
                     double floor = CPredvigjacMuskihLoz2().lnFloor);

// A haplotype of single-copy columns with the given values (-1 missing).
Haplotype Columns(const std::vector<int32_t>& values);

}  // namespace varnik::test
