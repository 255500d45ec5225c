// Reading of predictor model files; the layout is described in model_file.h.
#include <algorithm>
#include <cmath>
#include <utility>

#include "common/binary_io.h"
#include "predictor/model_file.h"
#include "predictor/scoring.h"

namespace varnik {
namespace {

// No repeat count comes near this; a larger class record is damage.
constexpr int32_t kMaxClassValues = 4096;
// Far beyond any model (the shipped ones are a few hundred kilobytes); a
// larger file is refused before it is read.
constexpr std::size_t kMaxModelFileBytes = std::size_t{256} << 20;
// What a model may take in memory: this many bytes per byte of its file
// plus a constant.  The shipped models take 1.6 to 2 times their file, well
// within the constant; small records that stand for large structures (a
// branch of nothing but zero counts, a class of absent values) cannot go
// further.
constexpr std::size_t kMemoryPerFileByte = 2;
constexpr std::size_t kMemoryAllowance = std::size_t{16} << 20;
// Histogram bounds, in fitness times 100, far beyond the 0 to 100 in use;
// they keep the ends of every histogram within 32 bits.
constexpr int32_t kMaxHistogramBound = 1 << 20;

// A number the model needs finite.
bool Finite(double v) { return std::isfinite(v); }
// A natural logarithm of a probability: finite and not above 0.
bool LogProbability(double v) { return std::isfinite(v) && v <= 0.0; }

class ModelReader {
 public:
  explicit ModelReader(std::string_view bytes)
      : in_(bytes), memoryLeft_(kMemoryPerFileByte * bytes.size() + kMemoryAllowance) {}

  bool ReadModel(CPredvigjacMuskihLoz2& m);

 private:
  // A count of records of at least `minBytes` bytes each: negative counts
  // and counts that the rest of the file cannot hold fail at once.
  bool Count(int32_t& n, std::size_t minBytes = 0) {
    return in_.ReadI32(n) && ((n >= 0 && in_.CanHold(static_cast<uint64_t>(n), minBytes)) || in_.Fail());
  }
  // Takes `count` elements of `size` bytes from the memory the model may
  // use; fails the read when it is used up.
  bool Take(uint64_t count, std::size_t size) {
    if (size != 0 && count > memoryLeft_ / size) return in_.Fail();
    memoryLeft_ -= count * size;
    return true;
  }
  // A double that must pass `check`.
  bool Checked(double& v, bool (*check)(double)) { return in_.ReadF64(v) && (check(v) || in_.Fail()); }
  bool Text(std::string& text) {
    int32_t units = 0;
    // A unit becomes at most three bytes of UTF-8.
    return Count(units, 2) && Take(units, 3) && in_.ReadUtf16(units, text);
  }
  bool Texts(std::vector<std::string>& texts) {
    int32_t n = 0;
    if (!Count(n, 4) || !Take(n, sizeof(std::string))) return false;
    for (int32_t i = 0; i < n; ++i) {
      if (!Text(texts.emplace_back())) return false;
    }
    return true;
  }
  bool Doubles(std::vector<double>& values) {
    int32_t n = 0;
    if (!Count(n, 8) || !Take(n, sizeof(double))) return false;
    values.resize(n);
    for (double& v : values) Checked(v, Finite);
    return in_.ok();
  }
  bool Histogram(CHistogramUklapanja& h);
  bool FitStats(CRaspodelaUklapanjaSkupaOznak& s);
  bool Class(CUcestanostiVrednostijIstePotpunosti2& c, double floor);
  bool Copy(CUcestanostiVrednostijPojedinacnogaSTRa2& copy, double floor);
  bool GroupJoins(CMegjuzavisnostiVisheOznak& g);
  bool Branch(COgranakLoze2& b, double floor);
  bool PairJoins(CMegjuzavisnostiOgrankaZaUpotrebu& j);
  bool SnpNode(CPodaciPJRaPredvid& node);

  ByteReader in_;
  std::size_t memoryLeft_;
  int32_t version_ = 0;
};

bool ModelReader::Histogram(CHistogramUklapanja& h) {
  uint8_t width = 0;
  int32_t n = 0;
  if (!in_.ReadI32(h.start) || !in_.ReadU8(width)) return false;
  if (h.start < -kMaxHistogramBound || h.start > kMaxHistogramBound) return in_.Fail();
  const std::size_t size = width == 4 ? 4 : 2;
  if (!Count(n, size) || !Take(n, sizeof(int32_t))) return false;
  h.counts.resize(n);
  for (int32_t& count : h.counts) {
    if (size == 4) {
      in_.ReadI32(count);
    } else {
      uint16_t small = 0;
      in_.ReadU16(small);
      count = static_cast<int16_t>(small);
    }
    // Counts of samples cannot be negative.
    if (count < 0) return in_.Fail();
  }
  h.Recount();
  return in_.ok();
}

bool ModelReader::FitStats(CRaspodelaUklapanjaSkupaOznak& s) {
  return Checked(s.meanFitness, Finite) && Checked(s.fitnessSpread, Finite) && Histogram(s.ownHistogram) &&
         Histogram(s.otherHistogram) && Checked(s.priorRatio, Finite) && (s.priorRatio >= 0 || in_.Fail());
}

bool ModelReader::Class(CUcestanostiVrednostijIstePotpunosti2& c, double floor) {
  int32_t n = 0;
  int32_t maskBytes = 0;
  if (!in_.ReadI32(c.firstValue) || !Count(n) || !Count(maskBytes, 1)) return false;
  // Every value needs its presence bit.
  if (n > kMaxClassValues || static_cast<int64_t>(n) > 8 * static_cast<int64_t>(maskBytes)) return in_.Fail();
  if (!Take(n, sizeof(double))) return false;
  std::vector<uint8_t> mask(maskBytes);
  in_.ReadBytes(mask.data(), mask.size());
  c.lnP.assign(n, floor);
  for (int32_t i = 0; i < n; ++i) {
    if ((mask[i / 8] >> (i % 8)) & 1) Checked(c.lnP[i], LogProbability);
  }
  return in_.ok();
}

bool ModelReader::Copy(CUcestanostiVrednostijPojedinacnogaSTRa2& copy, double floor) {
  int32_t n = 0;
  if (!Count(n, 12) || !Take(n, sizeof(CUcestanostiVrednostijIstePotpunosti2))) return false;
  for (int32_t i = 0; i < n; ++i) {
    if (!Class(copy.classes.emplace_back(), floor)) return false;
  }
  for (int32_t& v : copy.spare) in_.ReadI32(v);
  while (!copy.classes.empty() && copy.classes.back().lnP.empty()) copy.classes.pop_back();
  return in_.ok();
}

bool ModelReader::GroupJoins(CMegjuzavisnostiVisheOznak& g) {
  int32_t n = 0;
  const std::size_t size = version_ == 15 ? 4 : 8;
  if (!Count(g.itemsPerJoin) || !Count(n, size)) return false;
  // A join of no items would apply to every haplotype and divide by zero.
  if (g.itemsPerJoin == 0 && n != 0) return in_.Fail();
  if (!Take(n, sizeof(float))) return false;
  g.lnJoint.resize(n);
  for (float& v : g.lnJoint) {
    if (size == 4) {
      in_.ReadF32(v);
    } else {
      double wide = 0;
      in_.ReadF64(wide);
      v = static_cast<float>(wide);
    }
    if (!LogProbability(v)) return in_.Fail();
  }
  const uint64_t items = static_cast<uint64_t>(g.itemsPerJoin) * static_cast<uint64_t>(n);
  if (!in_.CanHold(items, 2) || !Take(items, sizeof(uint16_t))) return in_.Fail();
  g.items.resize(items);
  for (uint16_t& item : g.items) in_.ReadU16(item);
  return in_.ok();
}

bool ModelReader::Branch(COgranakLoze2& b, double floor) {
  int32_t n = 0;
  if (version_ >= 13) {
    if (!Count(n, 8) || !Take(n, sizeof(CMegjuzavisnostiVisheOznak))) return false;
    for (int32_t i = 0; i < n; ++i) {
      if (!GroupJoins(b.groupJoins.emplace_back())) return false;
    }
    // -999.9999 or less turns the parent correction off, so -infinity may
    // stand for that; a NaN may not.
    if (!in_.ReadF64(b.lnParentBonus) || (std::isnan(b.lnParentBonus) || b.lnParentBonus == HUGE_VAL)) {
      return in_.Fail();
    }
  }
  if (version_ >= 12) {
    if (!Count(n, 34) || !Take(n, sizeof(CRaspodelaUklapanjaSkupaOznak))) return false;
    for (int32_t i = 0; i < n; ++i) {
      if (!FitStats(b.fitStats.emplace_back())) return false;
    }
  }
  if (version_ >= 10 && !in_.ReadI32(b.snpNode)) return false;
  if (version_ >= 8) {
    if (!Count(n, 20) || !Take(n, sizeof(CVezaKaNadogranku))) return false;
    b.parentLinks.resize(n);
    for (CVezaKaNadogranku& link : b.parentLinks) {
      in_.ReadI32(link.group);
      Checked(link.expectedUpRatio, Finite);
      Checked(link.upRatioSpread, Finite);
    }
  }
  if (!Texts(b.names) || !Doubles(b.weights) || !Count(n, 4) || !Take(n, sizeof(CRazlicitiPrimerciSTRa2))) {
    return false;
  }
  for (int32_t column = 0; column < n; ++column) {
    int32_t copies = 0;
    if (!Count(copies, 16) || !Take(copies, sizeof(CUcestanostiVrednostijPojedinacnogaSTRa2))) return false;
    auto& record = b.markers.emplace_back();
    for (int32_t k = 0; k < copies; ++k) {
      if (!Copy(record.copies.emplace_back(), floor)) return false;
    }
  }
  if (version_ < 12) {
    // Older files carry at most a mean fitness and no histograms.  The
    // single record holds it in both of its first fields; without
    // histograms no marker set is ever chosen, so neither the relative
    // fitness nor the fit factor is applied to such a model.
    CRaspodelaUklapanjaSkupaOznak legacy;
    legacy.meanFitness = 1.0;
    legacy.fitnessSpread = 1.0;
    if (version_ >= 7) {
      if (!Checked(legacy.meanFitness, Finite)) return false;
      legacy.fitnessSpread = legacy.meanFitness;
    }
    b.fitStats.push_back(std::move(legacy));
  }
  return in_.ok();
}

bool ModelReader::PairJoins(CMegjuzavisnostiOgrankaZaUpotrebu& j) {
  if (version_ >= 9 && !in_.ReadI32(j.split)) return false;
  int32_t n = 0;
  const std::size_t size = version_ == 15 ? 8 : version_ == 14 ? 12 : 16;
  if (!Count(n, size) || !Take(n, sizeof(float) + sizeof(uint32_t))) return false;
  j.lnJoint.resize(n);
  j.items.resize(n);
  for (int32_t i = 0; i < n; ++i) {
    if (version_ == 15) {
      in_.ReadF32(j.lnJoint[i]);
      in_.ReadU32(j.items[i]);
      continue;
    }
    double wide = 0;
    in_.ReadF64(wide);
    j.lnJoint[i] = static_cast<float>(wide);
    if (version_ == 14) {
      in_.ReadU32(j.items[i]);
      continue;
    }
    uint32_t words[2] = {0, 0};
    in_.ReadU32(words[0]);
    in_.ReadU32(words[1]);
    uint32_t pair = 0;
    for (int k = 0; k < 2; ++k) {
      const uint32_t place = words[k] & 0xffff;
      const uint32_t value = words[k] >> 16;
      const uint16_t item = EncodeItem(static_cast<int32_t>(place / 64), static_cast<int32_t>(place % 64),
                                       static_cast<int32_t>(value / 64), static_cast<int32_t>(value % 64));
      pair |= static_cast<uint32_t>(item) << (16 * k);
    }
    j.items[i] = pair;
  }
  for (const float v : j.lnJoint) {
    if (!LogProbability(v)) return in_.Fail();
  }
  return in_.ok();
}

bool ModelReader::SnpNode(CPodaciPJRaPredvid& node) {
  if (!Take(1, sizeof(CPodaciPJRaPredvid)) || (version_ >= 11 && !in_.ReadI32(node.group))) return false;
  return Texts(node.names) && in_.ReadI32(node.parent);
}

bool ModelReader::ReadModel(CPredvigjacMuskihLoz2& m) {
  if (!in_.ReadI32(version_) || version_ < 1 || version_ > kModelFileVersion) return false;
  int32_t n = 0;
  if (version_ >= 13) {
    Checked(m.lnMinBranchP, Finite);
    Checked(m.lnMinGain, Finite);
    Checked(m.lnMaxGain, Finite);
    if (!Checked(m.parentCorrection, Finite)) return false;
  } else {
    m.parentCorrection = 0.0;
  }
  if (version_ >= 12) {
    if (!in_.ReadI32(m.restrictTo23) || !Checked(m.minSetOverlap, Finite) || !Count(n, 4) || !Take(n, 4)) {
      return false;
    }
    m.statSets.resize(n);
    for (int32_t& set : m.statSets) in_.ReadI32(set);
  }
  if (version_ >= 10) {
    if (!Count(n, 8)) return false;
    for (int32_t i = 0; i < n; ++i) {
      if (!SnpNode(m.snpTree.emplace_back())) return false;
    }
  }
  // A branch record stands for its own structure, its pair joins and its
  // scoring tables' fixed part.
  constexpr std::size_t kBranchMemory = sizeof(COgranakLoze2) + sizeof(CMegjuzavisnostiOgrankaZaUpotrebu) + 256;
  if (version_ >= 8) {
    if (!in_.ReadI32(m.ignoreFractions) || !Count(n, 12) || !Take(n, kBranchMemory)) return false;
    for (int32_t i = 0; i < n; ++i) {
      if (!Branch(m.parentGroups.emplace_back(), m.lnFloor)) return false;
    }
  }
  if (version_ >= 6) {
    if (!in_.ReadI32(m.minMarkersForStats) || !Checked(m.warnFitness, Finite)) return false;
  } else {
    m.minMarkersForStats = 1000;
  }
  if (version_ >= 5 &&
      !(in_.ReadI32(m.copiesUsed) && Checked(m.lnFloor, LogProbability) && in_.ReadF64(m.reserved50))) {
    return false;
  }
  if (version_ >= 4 && !Checked(m.floorProbability, Finite)) return false;
  if (!Count(n, 16) || !Take(n, kBranchMemory)) return false;
  for (int32_t i = 0; i < n; ++i) {
    if (!Branch(m.branches.emplace_back(), m.lnFloor) || !PairJoins(m.branchJoins.emplace_back())) return false;
  }
  // A model whose branches give no distribution at all cannot tell one
  // haplotype from another.
  const bool usable = std::any_of(m.branches.begin(), m.branches.end(), [](const COgranakLoze2& b) {
    return std::any_of(b.markers.begin(), b.markers.end(), [](const CRazlicitiPrimerciSTRa2& column) {
      return std::any_of(column.copies.begin(), column.copies.end(), [](const auto& copy) {
        return std::any_of(copy.classes.begin(), copy.classes.end(), [](const auto& c) { return !c.lnP.empty(); });
      });
    });
  });
  return in_.ok() && (usable || in_.Fail());
}

}  // namespace

bool ReadPredictorModel(std::string_view bytes, CPredvigjacMuskihLoz2& model) {
  CPredvigjacMuskihLoz2 read;
  if (!ModelReader(bytes).ReadModel(read)) {
    model = CPredvigjacMuskihLoz2();
    return false;
  }
  PrepareForScoring(read);
  model = std::move(read);
  return true;
}

bool LoadPredictorModel(const std::string& path, CPredvigjacMuskihLoz2& model) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes, kMaxModelFileBytes)) {
    model = CPredvigjacMuskihLoz2();
    return false;
  }
  return ReadPredictorModel(bytes, model);
}

}  // namespace varnik
