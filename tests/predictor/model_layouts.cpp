#include "predictor/model_layouts.h"

#include <cmath>
#include <cstring>

#include "common/binary_io.h"
#include "common/utf.h"

namespace varnik::test {
namespace {

class LayoutWriter {
 public:
  explicit LayoutWriter(int32_t version) : v_(version) {}

  std::string Write(const CPredvigjacMuskihLoz2& m) {
    out_.WriteI32(v_);
    if (v_ >= 13) F64s({m.lnMinBranchP, m.lnMinGain, m.lnMaxGain, m.parentCorrection});
    if (v_ >= 12) {
      out_.WriteI32(m.restrictTo23);
      out_.WriteF64(m.minSetOverlap);
      List(m.statSets, [&](int32_t s) { out_.WriteI32(s); });
    }
    if (v_ >= 10) {
      List(m.snpTree, [&](const CPodaciPJRaPredvid& node) {
        if (v_ >= 11) out_.WriteI32(node.group);
        Texts(node.names);
        out_.WriteI32(node.parent);
      });
    }
    if (v_ >= 8) {
      out_.WriteI32(m.ignoreFractions);
      List(m.parentGroups, [&](const COgranakLoze2& g) { Branch(g, CPredvigjacMuskihLoz2().lnFloor); });
    }
    if (v_ >= 6) {
      out_.WriteI32(m.minMarkersForStats);
      out_.WriteF64(m.warnFitness);
    }
    if (v_ >= 5) {
      out_.WriteI32(m.copiesUsed);
      F64s({m.lnFloor, m.reserved50});
    }
    if (v_ >= 4) out_.WriteF64(m.floorProbability);
    const double floor = v_ >= 5 ? m.lnFloor : CPredvigjacMuskihLoz2().lnFloor;
    Count(m.branches.size());
    for (std::size_t i = 0; i < m.branches.size(); ++i) {
      Branch(m.branches[i], floor);
      PairJoins(m.branchJoins[i]);
    }
    return out_.str();
  }

 private:
  void Count(std::size_t n) { out_.WriteI32(static_cast<int32_t>(n)); }
  template <typename T, typename Each>
  void List(const std::vector<T>& items, Each each) {
    Count(items.size());
    for (const T& item : items) each(item);
  }
  void F64s(std::initializer_list<double> values) {
    for (double d : values) out_.WriteF64(d);
  }
  // Older writers stored 64-bit joint probabilities and 16-bit histogram counts.
  void Joint(float f) { v_ == 15 ? out_.WriteF32(f) : out_.WriteF64(f); }
  void Histogram(const CHistogramUklapanja& h) {
    out_.WriteI32(h.start);
    out_.WriteU8(v_ == 15 ? 4 : 2);
    List(h.counts, [&](int32_t c) { v_ == 15 ? out_.WriteI32(c) : out_.WriteU16(static_cast<uint16_t>(c)); });
  }
  void Texts(const std::vector<std::string>& texts) {
    List(texts, [&](const std::string& t) {
      Count(Utf16Length(t));
      out_.WriteUtf16(t);
    });
  }
  void Branch(const COgranakLoze2& b, double floor) {
    if (v_ >= 13) {
      List(b.groupJoins, [&](const CMegjuzavisnostiVisheOznak& g) {
        out_.WriteI32(g.itemsPerJoin);
        List(g.lnJoint, [&](float f) { Joint(f); });
        for (uint16_t item : g.items) out_.WriteU16(item);
      });
      out_.WriteF64(b.lnParentBonus);
    }
    if (v_ >= 12) {
      List(b.fitStats, [&](const CRaspodelaUklapanjaSkupaOznak& s) {
        F64s({s.meanFitness, s.fitnessSpread});
        Histogram(s.ownHistogram);
        Histogram(s.otherHistogram);
        out_.WriteF64(s.priorRatio);
      });
    }
    if (v_ >= 10) out_.WriteI32(b.snpNode);
    if (v_ >= 8) {
      List(b.parentLinks, [&](const CVezaKaNadogranku& link) {
        out_.WriteI32(link.group);
        F64s({link.expectedUpRatio, link.upRatioSpread});
      });
    }
    Texts(b.names);
    List(b.weights, [&](double w) { out_.WriteF64(w); });
    List(b.markers, [&](const CRazlicitiPrimerciSTRa2& column) {
      List(column.copies, [&](const CUcestanostiVrednostijPojedinacnogaSTRa2& copy) {
        List(copy.classes, [&](const CUcestanostiVrednostijIstePotpunosti2& c) { Class(c, floor); });
        for (int32_t s : copy.spare) out_.WriteI32(s);
      });
    });
    if (v_ >= 7 && v_ < 12) out_.WriteF64(b.fitStats.empty() ? 1.0 : b.fitStats.front().meanFitness);
  }
  // Only the values away from the floor are stored, marked in a bit mask.
  void Class(const CUcestanostiVrednostijIstePotpunosti2& c, double floor) {
    std::vector<uint8_t> mask((c.lnP.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < c.lnP.size(); ++i) {
      if (c.lnP[i] != floor) mask[i / 8] |= static_cast<uint8_t>(1u << (i % 8));
    }
    out_.WriteI32(c.firstValue);
    Count(c.lnP.size());
    Count(mask.size());
    out_.WriteBytes(mask.data(), mask.size());
    for (double d : c.lnP) {
      if (d != floor) out_.WriteF64(d);
    }
  }
  void PairJoins(const CMegjuzavisnostiOgrankaZaUpotrebu& j) {
    if (v_ >= 9) out_.WriteI32(j.split);
    Count(j.lnJoint.size());
    for (std::size_t i = 0; i < j.lnJoint.size(); ++i) {
      Joint(j.lnJoint[i]);
      for (int k = 0; v_ < 14 && k < 2; ++k) {  // the older two-word coding
        const CStavkaOznake item = DecodeItem(static_cast<uint16_t>(j.items[i] >> (16 * k)));
        out_.WriteU32(static_cast<uint32_t>(item.column * 64 + item.copy) |
                      static_cast<uint32_t>(item.value * 64 + item.fraction) << 16);
      }
      if (v_ >= 14) out_.WriteU32(j.items[i]);
    }
  }

  ByteWriter out_;
  int32_t v_;
};

}  // namespace

std::string WriteModelLayout(const CPredvigjacMuskihLoz2& model, int32_t version) {
  return LayoutWriter(version).Write(model);
}

CUcestanostiVrednostijPojedinacnogaSTRa2 Copy(int32_t firstValue, const std::vector<double>& frequencies,
                                               double floor) {
  CUcestanostiVrednostijPojedinacnogaSTRa2 copy{.classes = {{firstValue, {}}}};
  for (double f : frequencies) copy.classes[0].lnP.push_back(f > 0 ? std::log(f) : floor);
  return copy;
}

COgranakLoze2 Branch(const std::string& name, const std::vector<ColumnFrequencies>& columns, double floor) {
  COgranakLoze2 b;
  b.names = {name, name};
  b.weights = {1.0};
  for (const auto& c : columns) {
    if (b.markers.size() <= static_cast<std::size_t>(c.column)) b.markers.resize(c.column + 1);
    b.markers[c.column].copies = {Copy(c.firstValue, c.frequencies, floor)};
  }
  return b;
}

Haplotype Columns(const std::vector<int32_t>& values) {
  Haplotype h;
  for (int32_t v : values) h.push_back({v, 0, 0});
  return h;
}

}  // namespace varnik::test
