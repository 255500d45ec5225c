#include "predictor/labelled_haplotypes.h"

#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"

namespace varnik {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == separator) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

}  // namespace

bool ParseLabelledHaplotypes(std::string_view text, std::vector<CUzorakSaOgrankom>& samples, std::string& error) {
  std::size_t lineNumber = 0;
  for (std::string_view rawLine : Split(text, '\n')) {
    ++lineNumber;
    const std::string line = NormalizeBlanks(rawLine);
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string_view> fields = Split(line, '|');
    auto fail = [&](const char* what) {
      error = "line " + std::to_string(lineNumber) + ": " + what;
      return false;
    };
    if (fields.size() != 3) return fail("expected three fields separated by '|'");
    CUzorakSaOgrankom sample;
    const std::string names = NormalizeBlanks(fields[0]);
    const std::size_t equals = names.find('=');
    sample.branch = NormalizeBlanks(names.substr(0, equals));
    if (equals != std::string::npos) sample.serbianName = NormalizeBlanks(names.substr(equals + 1));
    if (sample.branch.empty()) return fail("no branch name");
    const std::string path = NormalizeBlanks(fields[1]);
    if (!path.empty() && path != "-") {
      for (std::string_view snp : Split(path, '>')) {
        std::string name = NormalizeBlanks(snp);
        if (name.empty()) return fail("empty SNP name in the path");
        sample.snpPath.push_back(std::move(name));
      }
    }
    std::size_t position = 0;
    std::string ignoredName;
    int32_t markerCount = 0;
    const std::string haplotypeText = NormalizeBlanks(fields[2]);
    if (ParseHaplotypeLine(haplotypeText, position, ignoredName, sample.haplotype, markerCount, 0, false) != 1) {
      return fail("bad haplotype");
    }
    if (!Convert389(sample.haplotype, false, false)) return fail("DYS389II without DYS389I");
    samples.push_back(std::move(sample));
  }
  return true;
}

std::string FormatLabelledHaplotype(const CUzorakSaOgrankom& sample) {
  std::string line = sample.branch;
  if (!sample.serbianName.empty()) line += "=" + sample.serbianName;
  line += " | ";
  if (sample.snpPath.empty()) line += "-";
  for (std::size_t i = 0; i < sample.snpPath.size(); ++i) line += (i ? ">" : "") + sample.snpPath[i];
  Haplotype sum = sample.haplotype;
  Convert389(sum, false, true);
  return line + " | " + FormatHaplotype(sum, true);
}

}  // namespace varnik
