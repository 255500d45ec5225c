#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>

#include "common/binary_io.h"
#include "tmrca/mutation_model.h"
#include "tmrca/transition_table_file.h"

namespace varnik {
namespace {

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string("varnik_tmrca_") + name)).string();
}

CSTROznaka Marker(int32_t marker) {
  CSTROznaka record;
  int32_t error = 0;
  SetUpMarker(record, marker, 0, {}, 0.0, true, true, error);
  return record;
}

// A hand-made file: one 2 x 2 matrix for marker 0 per generation.
std::string SmallFile(int32_t version, int32_t generations, int32_t markers, int32_t offset, int32_t side,
                      int32_t blockSize, int32_t blocksWritten) {
  ByteWriter w;
  w.WriteI32(version);
  w.WriteI32(generations);
  w.WriteI32(markers);
  for (int32_t m = 0; m < markers && m < 4; ++m) {
    w.WriteI32(offset);
    w.WriteI32(side);
  }
  w.WriteI32(blockSize);
  for (int32_t g = 0; g < blocksWritten; ++g)
    for (int k = 0; k < 4; ++k) w.WriteF64(0.5 * g + k / 10.0);
  return w.str();
}

TEST(TmrcaTransitionTable, WrittenFileReadsBackTheComputedMatrices) {
  const std::string path = TempPath("tables.dat");
  ASSERT_TRUE(WriteTransitionTableFile(path, 3));
  CTablicePrelazaka file;
  ASSERT_TRUE(file.Open(path));
  EXPECT_EQ(file.generations(), 3);
  EXPECT_EQ(file.markers(), 111);
  const int32_t marker = 20;  // DYS 449, 32 states
  CSTROznaka expected = Marker(marker);
  CSTROznaka read;
  read.marker = marker;
  for (int32_t g = 0; g < 3; ++g) {
    if (g > 0) AdvanceGeneration(expected);
    ASSERT_TRUE(file.ReadMatrix(g, false, read));
    EXPECT_EQ(read.gStep, expected.gStep) << marker << " " << g;
  }
  // Past the last block: only with clamping, which gives the last block.
  EXPECT_FALSE(file.ReadMatrix(3, false, read));
  read.gStep = {};
  ASSERT_TRUE(file.ReadMatrix(50, true, read));
  EXPECT_EQ(read.gStep, expected.gStep);
  std::filesystem::remove(path);
}

TEST(TmrcaTransitionTable, HandMadeFilesAreReadOrRefusedCleanly) {
  CTablicePrelazaka file;
  CSTROznaka record;
  record.marker = 0;
  ASSERT_TRUE(file.OpenBytes(SmallFile(1, 2, 1, 0, 2, 32, 2)));  // read at the indexed place
  ASSERT_TRUE(file.ReadMatrix(1, false, record));
  EXPECT_EQ(record.gStep.rowOffsets, (std::vector<int32_t>{0, 2}));
  EXPECT_EQ(record.gStep.values, (std::vector<double>{0.5, 0.6, 0.7, 0.8}));
  EXPECT_FALSE(file.OpenBytes(""));
  EXPECT_FALSE(file.OpenBytes(SmallFile(2, 2, 1, 0, 2, 32, 2)));                // version
  EXPECT_FALSE(file.OpenBytes(SmallFile(1, 3, 1, 0, 2, 32, 2)));                // a block missing
  std::string truncated = SmallFile(1, 2, 1, 0, 2, 32, 2);
  truncated.pop_back();
  EXPECT_FALSE(file.OpenBytes(truncated));
  EXPECT_FALSE(file.OpenBytes(SmallFile(1, 2, 0x7FFFFFFF, 0, 2, 32, 2)));       // index beyond the file
  EXPECT_FALSE(file.OpenBytes(SmallFile(1, 2, 1, 0, 0x7FFFFFFF, 32, 2)));       // matrix beyond its block
  EXPECT_FALSE(file.OpenBytes(SmallFile(1, 2, 1, 8, 2, 32, 2)));                // offset + size beyond block
  EXPECT_FALSE(file.OpenBytes(SmallFile(1, 2, 1, -8, 2, 32, 2)));
  EXPECT_FALSE(file.OpenBytes(SmallFile(1, 0x7FFFFFFF, 1, 0, 2, 0x7FFFFFFF, 2)));  // blocks beyond the file
  EXPECT_FALSE(file.OpenBytes(SmallFile(1, -1, 1, 0, 2, 32, 2)));
  // Negative sides, the most negative above all, whose square would overflow.
  for (const int32_t side : {-2, -65536, INT32_MIN}) EXPECT_FALSE(file.OpenBytes(SmallFile(1, 2, 1, 0, side, 32, 2)));
  EXPECT_FALSE(file.OpenBytes(SmallFile(1, 0x7FFFFFFF, 0x7FFFFFFF, 0, 2, 32, 2)));
  EXPECT_FALSE(file.error().empty());
  EXPECT_FALSE(file.ReadMatrix(0, true, record));  // nothing open after a failure
  EXPECT_FALSE(file.Open(TempPath("no_such_file.dat")));
  // Entries that are no probability: the header is sound, the read fails.
  for (const double bad : {std::nan(""), 1.5, -0.25, HUGE_VAL}) {
    std::string bytes = SmallFile(1, 2, 1, 0, 2, 32, 2);
    ByteWriter value;
    value.WriteF64(bad);
    bytes.replace(bytes.size() - 16, 8, value.str());
    ASSERT_TRUE(file.OpenBytes(bytes));
    CSTROznaka kept;
    kept.marker = 0;
    EXPECT_TRUE(file.ReadMatrix(0, false, kept));
    EXPECT_FALSE(file.ReadMatrix(1, false, kept)) << bad;
    EXPECT_EQ(kept.gStep.values, (std::vector<double>{0.0, 0.1, 0.2, 0.3}));
    EXPECT_EQ(file.error(), "the transition-table file holds a value that is no probability");
  }

  // No generation blocks: the header is valid, every read fails.
  ASSERT_TRUE(file.OpenBytes(SmallFile(1, 0, 1, 0, 2, 32, 0)));
  EXPECT_FALSE(file.ReadMatrix(0, true, record));
}

}  // namespace
}  // namespace varnik
