// The example computed-axes set that ships with the program: principal
// components of simulated genotypes of European, Near Eastern and North
// African populations.
#pragma once

#include <string>

#include "plot/axes_file.h"

namespace varnik::datagen {

// File name of the example set in the program folder.
inline constexpr const char* kExampleAxesFile = "EvropaSaOkolinom.ose";

// Builds the set; the same on every run.
ComputedAxesSet MakeExampleAxesSet();

// Writes the set into `folder`; false when the file cannot be written.
bool WriteExampleAxesSet(const std::string& folder);

}  // namespace varnik::datagen
