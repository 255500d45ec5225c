#include "tmrca/transition_table_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/binary_io.h"
#include "common/utf.h"

namespace varnik {
namespace {

constexpr uint64_t kHeaderSize = 12;

uint64_t IndexSize(uint64_t markers) { return 4 * (2 * markers + 1); }

}  // namespace

bool WriteTransitionTable(const ByteSink& sink, int32_t generations, const std::atomic<int>* stop) {
  if (generations < 1 || generations > kMaxTransitionTableGenerations) return false;
  constexpr int32_t kMarkers = 111;
  std::vector<CSTROznaka> records(kMarkers);
  ByteWriter header;
  header.WriteI32(kTransitionTableVersion);
  header.WriteI32(generations);
  header.WriteI32(kMarkers);
  int64_t offset = 0;
  for (int32_t m = 0; m < kMarkers; ++m) {
    int32_t errorIndex = 0;
    // No ancestor is given, so SetUpMarker reports it unknown; the record is
    // complete all the same.
    SetUpMarker(records[m], m, 0, {}, 0.0, true, true, errorIndex);
    const int32_t side = records[m].oneStep.side;
    header.WriteI32(static_cast<int32_t>(offset));
    header.WriteI32(side);
    offset += int64_t{side} * side * 8;
  }
  header.WriteI32(static_cast<int32_t>(offset));
  const auto piece = [](const ByteWriter& w) {
    return std::string_view(reinterpret_cast<const char*>(w.bytes().data()), w.bytes().size());
  };
  if (!sink(piece(header))) return false;
  for (int32_t g = 0; g < generations; ++g) {
    if (stop != nullptr && stop->load(std::memory_order_relaxed) != 0) return false;
    ByteWriter block;
    for (CSTROznaka& record : records) {
      if (g > 0) AdvanceGeneration(record);
      for (const double value : record.gStep.values) block.WriteF64(value);
    }
    if (!sink(piece(block))) return false;
  }
  return true;
}

bool WriteTransitionTableFile(const std::string& path, int32_t generations, const std::atomic<int>* stop,
                              std::string* error) {
  if (generations < 1 || generations > kMaxTransitionTableGenerations) return false;
  return WriteFileAtomically(
      path, [&](const ByteSink& sink) { return WriteTransitionTable(sink, generations, stop); }, error);
}

bool CTablicePrelazaka::Open(const std::string& path) {
  auto file = std::make_unique<std::ifstream>(PathFromUtf8(path), std::ios::binary);
  stream_.reset();
  if (!*file) {
    error_ = "cannot open " + path;
    return false;
  }
  file->seekg(0, std::ios::end);
  const std::streamoff end = file->tellg();
  file->seekg(0, std::ios::beg);
  if (end < 0) {
    error_ = "cannot read " + path;
    return false;
  }
  size_ = static_cast<uint64_t>(end);
  stream_ = std::move(file);
  return ReadHeader();
}

bool CTablicePrelazaka::OpenBytes(std::string bytes) {
  size_ = bytes.size();
  stream_ = std::make_unique<std::istringstream>(std::move(bytes), std::ios::binary);
  return ReadHeader();
}

bool CTablicePrelazaka::ReadHeader() {
  generations_ = 0;
  blockSize_ = 0;
  offsets_.clear();
  sides_.clear();
  const auto fail = [this] {
    error_ = "the transition-table file is damaged";
    stream_.reset();
    offsets_.clear();
    sides_.clear();
    generations_ = 0;
    return false;
  };
  char fixed[kHeaderSize];
  if (size_ < kHeaderSize || !stream_->read(fixed, kHeaderSize)) return fail();
  ByteReader head(std::string_view(fixed, kHeaderSize));
  int32_t version = 0, generations = 0, markers = 0;
  head.ReadI32(version);
  head.ReadI32(generations);
  head.ReadI32(markers);
  if (version != kTransitionTableVersion || generations < 0 || markers < 0) return fail();
  // The index must lie inside the file before it is read into memory.
  const uint64_t indexSize = IndexSize(static_cast<uint64_t>(markers));
  if (indexSize > size_ - kHeaderSize) return fail();
  std::string index(indexSize, '\0');
  if (!stream_->read(index.data(), static_cast<std::streamsize>(indexSize))) return fail();
  ByteReader reader(index);
  offsets_.resize(static_cast<std::size_t>(markers));
  sides_.resize(static_cast<std::size_t>(markers));
  for (int32_t m = 0; m < markers; ++m) {
    int32_t offset = 0, side = 0;
    reader.ReadI32(offset);
    reader.ReadI32(side);
    offsets_[m] = offset;
    sides_[m] = side;
  }
  int32_t blockSize = 0;
  reader.ReadI32(blockSize);
  if (!reader.ok() || blockSize < 0) return fail();
  blockSize_ = blockSize;
  // Every matrix must lie inside its block, and every block inside the file.
  for (int32_t m = 0; m < markers; ++m) {
    // A side this large could not fit any block; checked first so that its
    // square cannot overflow.
    if (sides_[m] < 0 || sides_[m] > 65536 || offsets_[m] < 0) return fail();
    const int64_t bytes = int64_t{sides_[m]} * sides_[m] * 8;
    if (offsets_[m] + bytes > blockSize_) return fail();
  }
  if (static_cast<uint64_t>(generations) * static_cast<uint64_t>(blockSize_) > size_ - kHeaderSize - indexSize) {
    return fail();
  }
  generations_ = generations;
  error_.clear();
  return true;
}

bool CTablicePrelazaka::ReadMatrix(int32_t generationIndex, bool clamp, CSTROznaka& record) {
  if (!stream_ || generationIndex < 0) return false;
  if (generationIndex >= generations_) {
    if (!clamp || generations_ == 0) return false;
    generationIndex = generations_ - 1;
  }
  if (record.marker < 0 || record.marker >= markers()) return false;
  const int32_t side = sides_[record.marker];
  const uint64_t position = kHeaderSize + IndexSize(sides_.size()) +
                            static_cast<uint64_t>(generationIndex) * static_cast<uint64_t>(blockSize_) +
                            static_cast<uint64_t>(offsets_[record.marker]);
  const std::size_t bytes = static_cast<std::size_t>(side) * static_cast<std::size_t>(side) * 8;
  std::string raw(bytes, '\0');
  stream_->clear();
  if (!stream_->seekg(static_cast<std::streamoff>(position)) ||
      !stream_->read(raw.data(), static_cast<std::streamsize>(bytes))) {
    error_ = "the transition-table file is cut short";
    return false;
  }
  CKvadratnaMatrica matrix;
  matrix.Create(side);
  ByteReader reader(raw);
  for (double& value : matrix.values) {
    reader.ReadF64(value);
    // Transition probabilities lie in [0, 1] up to rounding; anything else,
    // a NaN above all, is damage.
    if (!(value >= -1e-9 && value <= 1.0 + 1e-9)) {
      error_ = "the transition-table file holds a value that is no probability";
      return false;
    }
  }
  if (!reader.ok()) return false;
  record.gStep = std::move(matrix);
  return true;
}

}  // namespace varnik
