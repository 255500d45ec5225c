// Writing computed-axes files, field for field the inverse of the reader
// (layout in axes_file.h).
#include <string>

#include "common/binary_io.h"
#include "common/utf.h"
#include "plot/axes_file.h"

namespace varnik {
namespace {

void WriteString(ByteWriter& out, std::string_view text) {
  out.WriteI32(static_cast<int32_t>(Utf16Length(text)));
  out.WriteUtf16(text);
}

// Character codes 0-255 as single bytes; other characters become '?'.
void WriteShortString(ByteWriter& out, std::string_view text) {
  std::string codes;
  for (char16_t unit : Utf8ToUtf16(text)) codes += unit <= 0xFF ? static_cast<char>(unit) : '?';
  if (codes.size() > 255) codes.resize(255);
  out.WriteU8(static_cast<uint8_t>(codes.size()));
  out.WriteBytes(codes.data(), codes.size());
}

}  // namespace

std::string WriteComputedAxes(const ComputedAxesSet& set) {
  const ComputedAxesHeader& h = set.header;
  ByteWriter out;
  out.WriteI32(h.formatVersion);
  WriteString(out, set.name);
  WriteString(out, set.description);
  out.WriteI32(h.computationKind);
  out.WriteI32(h.requestedAxisCount);
  out.WriteI32(h.weightingFlag);
  out.WriteI32(h.integerParameter);
  out.WriteF64(h.realParameter);
  if (h.HasStrFields()) {
    out.WriteI32(h.markerOrder);
    out.WriteI32(h.strIntegerParameter);
    out.WriteI32(h.smallestMarkerCount);
    out.WriteI32(h.largestMarkerCount);
  }

  out.WriteI32(h.groupRecordVersion);
  out.WriteI32(static_cast<int32_t>(set.groups.size()));
  for (const CStanovnistvo& group : set.groups) {
    WriteString(out, group.name);
    WriteString(out, group.secondText);
    out.WriteU32(group.colour);
    out.WriteI32(group.number);
    out.WriteI32(group.markerShape);
  }

  out.WriteI32(h.sampleRecordVersion);
  out.WriteI32(static_cast<int32_t>(set.samples.size()));
  for (const CUzorak& sample : set.samples) {
    WriteString(out, sample.name);
    WriteString(out, sample.secondText);
    out.WriteI32(sample.group);
  }

  out.WriteI32(h.markerRecordVersion);
  out.WriteI32(h.secondWeightFlag);
  out.WriteI32(static_cast<int32_t>(set.markers.size()));
  for (const MarkerRecord& marker : set.markers) {
    WriteShortString(out, marker.name);
    out.WriteU8(marker.first);
    out.WriteU8(marker.second);
    out.WriteF64(marker.weight);
    if (h.secondWeightFlag != 0) out.WriteF64(marker.secondWeight);
  }

  out.WriteI32(h.reserved);
  out.WriteI32(static_cast<int32_t>(set.axes.size()));
  if (h.HasLeadingDouble()) out.WriteF64(h.leadingDouble);
  for (const AxisRecord& axis : set.axes) {
    out.WriteI32(static_cast<int32_t>(axis.coefficients.size()));
    for (double c : axis.coefficients) out.WriteF64(c);
    out.WriteI32(static_cast<int32_t>(axis.values.size()));
    out.WriteF64(axis.weight);
    for (double v : axis.values) out.WriteF64(v);
  }
  return out.str();
}

bool WriteComputedAxesFile(const std::string& path, const ComputedAxesSet& set) {
  return WriteFileAtomically(path, WriteComputedAxes(set));
}

}  // namespace varnik
