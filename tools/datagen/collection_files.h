// The ten sample collections that ship with the program: simulated men of
// the Y-STR simulator's lineages, mixed as the haplogroups of each
// collection's region are, written in each collection's own file format.
#pragma once

#include <string>
#include <vector>

namespace varnik::datagen {

// The text of collection `index` (0..9) in UTF-8, lines ending in "\r\n".
std::string CollectionFileText(int index);
// Writes all ten collection files (UTF-16LE with FF FE) into `folder`;
// false with a message on standard error when one cannot be written.
bool WriteSampleCollections(const std::string& folder);

}  // namespace varnik::datagen
