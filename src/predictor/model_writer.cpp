// Writing of version-15 predictor model files (layout in model_file.h).
#include <cstring>

#include "common/binary_io.h"
#include "common/utf.h"
#include "predictor/model_file.h"

namespace varnik {
namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void WriteText(ByteWriter& out, const std::string& text) {
  out.WriteI32(static_cast<int32_t>(Utf16Length(text)));
  out.WriteUtf16(text);
}

void WriteTexts(ByteWriter& out, const std::vector<std::string>& texts) {
  out.WriteI32(static_cast<int32_t>(texts.size()));
  for (const std::string& text : texts) WriteText(out, text);
}

void WriteHistogram(ByteWriter& out, const CHistogramUklapanja& h) {
  out.WriteI32(h.start);
  out.WriteU8(4);
  out.WriteI32(static_cast<int32_t>(h.counts.size()));
  for (int32_t count : h.counts) out.WriteI32(count);
}

void WriteClass(ByteWriter& out, const CUcestanostiVrednostijIstePotpunosti2& c, double floor) {
  const std::size_t n = c.lnP.size();
  std::vector<uint8_t> mask((n + 7) / 8, 0);
  for (std::size_t i = 0; i < n; ++i) {
    if (!SameBits(c.lnP[i], floor)) mask[i / 8] |= static_cast<uint8_t>(1u << (i % 8));
  }
  out.WriteI32(c.firstValue);
  out.WriteI32(static_cast<int32_t>(n));
  out.WriteI32(static_cast<int32_t>(mask.size()));
  out.WriteBytes(mask.data(), mask.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (!SameBits(c.lnP[i], floor)) out.WriteF64(c.lnP[i]);
  }
}

void WriteBranch(ByteWriter& out, const COgranakLoze2& b, double floor) {
  out.WriteI32(static_cast<int32_t>(b.groupJoins.size()));
  for (const CMegjuzavisnostiVisheOznak& g : b.groupJoins) {
    out.WriteI32(g.itemsPerJoin);
    out.WriteI32(static_cast<int32_t>(g.lnJoint.size()));
    for (float v : g.lnJoint) out.WriteF32(v);
    for (uint16_t item : g.items) out.WriteU16(item);
  }
  out.WriteF64(b.lnParentBonus);
  out.WriteI32(static_cast<int32_t>(b.fitStats.size()));
  for (const CRaspodelaUklapanjaSkupaOznak& s : b.fitStats) {
    out.WriteF64(s.meanFitness);
    out.WriteF64(s.fitnessSpread);
    WriteHistogram(out, s.ownHistogram);
    WriteHistogram(out, s.otherHistogram);
    out.WriteF64(s.priorRatio);
  }
  out.WriteI32(b.snpNode);
  out.WriteI32(static_cast<int32_t>(b.parentLinks.size()));
  for (const CVezaKaNadogranku& link : b.parentLinks) {
    out.WriteI32(link.group);
    out.WriteF64(link.expectedUpRatio);
    out.WriteF64(link.upRatioSpread);
  }
  WriteTexts(out, b.names);
  out.WriteI32(static_cast<int32_t>(b.weights.size()));
  for (double w : b.weights) out.WriteF64(w);
  out.WriteI32(static_cast<int32_t>(b.markers.size()));
  for (const CRazlicitiPrimerciSTRa2& column : b.markers) {
    out.WriteI32(static_cast<int32_t>(column.copies.size()));
    for (const CUcestanostiVrednostijPojedinacnogaSTRa2& copy : column.copies) {
      out.WriteI32(static_cast<int32_t>(copy.classes.size()));
      for (const auto& c : copy.classes) WriteClass(out, c, floor);
      for (int32_t v : copy.spare) out.WriteI32(v);
    }
  }
}

}  // namespace

std::string SerializePredictorModel(const CPredvigjacMuskihLoz2& m) {
  ByteWriter out;
  out.WriteI32(kModelFileVersion);
  out.WriteF64(m.lnMinBranchP);
  out.WriteF64(m.lnMinGain);
  out.WriteF64(m.lnMaxGain);
  out.WriteF64(m.parentCorrection);
  out.WriteI32(m.restrictTo23);
  out.WriteF64(m.minSetOverlap);
  out.WriteI32(static_cast<int32_t>(m.statSets.size()));
  for (int32_t set : m.statSets) out.WriteI32(set);
  out.WriteI32(static_cast<int32_t>(m.snpTree.size()));
  for (const CPodaciPJRaPredvid& node : m.snpTree) {
    out.WriteI32(node.group);
    WriteTexts(out, node.names);
    out.WriteI32(node.parent);
  }
  out.WriteI32(m.ignoreFractions);
  out.WriteI32(static_cast<int32_t>(m.parentGroups.size()));
  // Super-groups come before the file's floor, so a reader fills their
  // absent values with the initial floor.
  const double initialFloor = CPredvigjacMuskihLoz2().lnFloor;
  for (const COgranakLoze2& g : m.parentGroups) WriteBranch(out, g, initialFloor);
  out.WriteI32(m.minMarkersForStats);
  out.WriteF64(m.warnFitness);
  out.WriteI32(m.copiesUsed);
  out.WriteF64(m.lnFloor);
  out.WriteF64(m.reserved50);
  out.WriteF64(m.floorProbability);
  out.WriteI32(static_cast<int32_t>(m.branches.size()));
  for (std::size_t i = 0; i < m.branches.size(); ++i) {
    WriteBranch(out, m.branches[i], m.lnFloor);
    static const CMegjuzavisnostiOgrankaZaUpotrebu kNoJoins;
    const auto& joins = i < m.branchJoins.size() ? m.branchJoins[i] : kNoJoins;
    out.WriteI32(joins.split);
    out.WriteI32(static_cast<int32_t>(joins.lnJoint.size()));
    for (std::size_t j = 0; j < joins.lnJoint.size(); ++j) {
      out.WriteF32(joins.lnJoint[j]);
      out.WriteU32(j < joins.items.size() ? joins.items[j] : 0);
    }
  }
  return out.str();
}

bool SavePredictorModel(const std::string& path, const CPredvigjacMuskihLoz2& model) {
  return WriteFileAtomically(path, SerializePredictorModel(model));
}

}  // namespace varnik
