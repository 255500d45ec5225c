// The transition-table file ("TablicePrelazaka.dat"): the g-step matrices of
// every marker for a run of generations, for tools that look transition
// probabilities up instead of computing them.
//
// Layout, little-endian, 32-bit signed integers and 64-bit IEEE doubles:
//   0                 version, 1
//   4                 G, number of generation blocks
//   8                 M, number of markers (111 as written here)
//   12                index, 2M + 1 integers: for marker m, entry 2m is the
//                     byte offset of its matrix inside a block and entry
//                     2m + 1 its side n; the last entry is the block size
//   12 + 4(2M + 1)    G blocks; block g holds, for g + 1 generations, each
//                     marker's matrix at its offset, n x n doubles row by row
#pragma once

#include <atomic>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "common/binary_io.h"
#include "tmrca/mutation_model.h"

namespace varnik {

inline constexpr char kTransitionTableFileName[] = "TablicePrelazaka.dat";
inline constexpr int32_t kTransitionTableVersion = 1;
// The writer's limit on generations; 600 blocks take about 140 MB.
inline constexpr int32_t kMaxTransitionTableGenerations = 600;

// Hands the file of the tables of all 111 markers for generations 1..G (as
// the age computation sets the markers up) to `sink`, header first, then
// block by block.  False for G outside 1..600, a stop request or a piece the
// sink could not take.
bool WriteTransitionTable(const ByteSink& sink, int32_t generations, const std::atomic<int>* stop = nullptr);
// Writes that file to `path` (WriteFileAtomically): `path` is replaced only
// when everything was written.  False as above or for a file that cannot be
// written; `error` then receives the reason of a failed write.
bool WriteTransitionTableFile(const std::string& path, int32_t generations, const std::atomic<int>* stop = nullptr,
                              std::string* error = nullptr);

// Reads matrices from a transition-table file.  Open checks the header and
// the index against the file's size, so a damaged or hostile file fails
// there (or at the first short read) without large allocations.
class CTablicePrelazaka {
 public:
  bool Open(const std::string& path);
  // The file's bytes held in memory.
  bool OpenBytes(std::string bytes);

  int32_t generations() const { return generations_; }
  int32_t markers() const { return static_cast<int32_t>(sides_.size()); }

  // Reads the matrix of record.marker for generation index g (g + 1
  // generations) into record.gStep.  An index of G or more fails unless
  // `clamp` is on, when the last block is used.  Fails for a marker outside
  // the file, for a short read and for an entry that is no probability
  // (outside 0..1, or not a number); record.gStep is then unchanged.
  bool ReadMatrix(int32_t generationIndex, bool clamp, CSTROznaka& record);
  // Why the last Open or ReadMatrix failed, for the caller to show.
  const std::string& error() const { return error_; }

 private:
  bool ReadHeader();

  std::unique_ptr<std::istream> stream_;
  uint64_t size_ = 0;
  int32_t generations_ = 0;
  int64_t blockSize_ = 0;
  std::vector<int64_t> offsets_;
  std::vector<int32_t> sides_;
  std::string error_;
};

}  // namespace varnik
