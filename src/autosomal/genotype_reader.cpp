// Raw genotype files of a person, as the testing companies hand them out,
// in four layouts:
//   0  comma-separated with a header line; values may be double-quoted:
//      name,chromosome,position,genotype
//   1  tab-separated, with '#' comment lines at the top
//   2  space-separated, no header or comments
//   3  comma-separated with a header line: name,chromosome,allele1,allele2
// The layout is told from the file's first data lines.
#include <algorithm>

#include "autosomal/admixture_data.h"
#include "autosomal/autosomal_messages.h"
#include "autosomal/line_reader.h"
#include "common/format.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

constexpr int kSampleProgressStep = 2048;

// Runs of one separator character in a line (adjacent ones count once).
int CountRuns(std::string_view line, char separator) {
  int runs = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == separator && (i == 0 || line[i - 1] != separator)) ++runs;
  }
  return runs;
}

}  // namespace

bool DetectGenotypeLayout(std::string_view bytes, int& layout) {
  ByteLineReader reader(bytes);
  bool headerSeen = false, commentSeen = false;
  int nonEmpty = 0;
  std::string_view line;
  while (reader.ReadLine(LineEnds::kTolerant, line) == kLineRead) {
    if (line.empty()) continue;
    ++nonEmpty;
    if (line.front() == '#') {
      commentSeen = true;
      continue;
    }
    const int commas = CountRuns(line, ','), tabs = CountRuns(line, '\t'), spaces = CountRuns(line, ' ');
    if (commas == 3 && tabs == 0 && spaces == 0) {
      if (line.front() == '"') {
        if (headerSeen && !commentSeen) {
          layout = kLayoutCommaWithPositions;
          return true;
        }
      } else if (nonEmpty == 1) {
        headerSeen = true;
      } else if (headerSeen) {
        // The third column holds a position (digits) or an allele.
        const std::size_t first = line.find(',');
        const std::size_t second = line.find(',', first + 1);
        const bool digit = second + 1 < line.size() && line[second + 1] >= '0' && line[second + 1] <= '9';
        layout = digit ? kLayoutCommaWithPositions : kLayoutCommaAlleles;
        return true;
      }
    } else if (tabs == 3 && commas == 0 && spaces == 0) {
      if (!headerSeen && commentSeen) {
        layout = kLayoutTabs;
        return true;
      }
    } else if (spaces == 3 && commas == 0 && tabs == 0) {
      if (!headerSeen && !commentSeen) {
        layout = kLayoutSpaces;
        return true;
      }
    }
  }
  return false;
}

bool CProracunPoreklaOdsecaka::ReadSampleGenotypes(const std::string& path, std::string_view bytes, int layout,
                                                   bool calculatorIsPar, const AdmixtureRunContext& context) {
  const int language = context.language;
  const bool commas = layout == kLayoutCommaWithPositions || layout == kLayoutCommaAlleles;
  const char separator = commas ? ',' : layout == kLayoutTabs ? '\t' : ' ';
  ByteLineReader reader(bytes);
  std::vector<std::string_view> fields;
  std::string alleles;    // layout 3: the two allele columns joined
  std::string matchText;  // layout 3: the number of matches so far
  int64_t linesRead = 0, matches = 0;
  bool stopped = false;
  bool showing = false;
  int result = kLineRead;
  for (;;) {
    if (context.Stopped()) {
      stopped = true;
      break;
    }
    if (context.progress != nullptr && linesRead % kSampleProgressStep == 0) {
      if (!showing) context.progress->SetStatusLine(1, TextById(kTextLoadingSample, language));
      showing = true;
      context.progress->SetStatusLine(2, Format("%lld", static_cast<long long>(linesRead)));
    }
    // Lines may end in CR LF or in LF alone, as the companies' downloads do.
    if ((result = reader.ReadFields(LineEnds::kTolerant, separator, fields)) != kLineRead) break;
    if (++linesRead == 1 && commas) continue;  // the header line
    if (!commas && (fields.empty() || fields[0].front() == '#')) continue;
    if (fields.size() < 4) continue;

    std::string_view name = fields[0], chromosome = fields[1], position = fields[2], genotype = fields[3];
    if (layout == kLayoutCommaWithPositions) {
      name = StripQuotes(name);
      genotype = StripQuotes(genotype);
      if (calculatorIsPar) {
        chromosome = StripQuotes(chromosome);
        position = StripQuotes(position);
      }
    } else if (layout == kLayoutCommaAlleles) {
      alleles.assign(fields[2]);
      alleles.append(fields[3]);
      genotype = alleles;
      matchText = Format("%lld", static_cast<long long>(matches));
      position = matchText;
    }
    if (genotype.size() < 2 || genotype[0] == '-' || genotype[1] == '-') continue;
    int32_t at = 0;
    if (!FindSnpByName(snpIndexByName, snps, name, at)) continue;
    ++matches;
    CPodaciSNPaZaPorekloOdsecaka& snp = snps[snpIndexByName[at]];
    const char16_t first = FoldToAbCode(static_cast<unsigned char>(genotype[0]));
    const char16_t second = FoldToAbCode(static_cast<unsigned char>(genotype[1]));
    if (calculatorIsPar) {
      // Chromosomes X, Y, MT and 0 are left out.
      if (chromosome.empty() || chromosome.front() < '1' || chromosome.front() > '9') continue;
      if (!ScanInt(chromosome, snp.chromosome) || !ScanInt(position, snp.position)) {
        return Fail(context, FileMessage(path, reader.LineNumber(),
                                         AutosomalMessageText(AutosomalMessage::kChromosomeField, language), language));
      }
    }
    if (snp.refAllele1 != first && snp.refAllele2 != second) {
      snp.sampleAllele1 = second;
      snp.sampleAllele2 = first;
    } else {
      snp.sampleAllele1 = first;
      snp.sampleAllele2 = second;
    }
  }
  if (stopped || result == kLineReadError) {
    return Fail(context, FileMessage(path, stopped ? 0 : reader.LineNumber(),
                                     AutosomalMessageText(stopped ? AutosomalMessage::kStopped : AutosomalMessage::kLineEnd,
                                                          language),
                                     language));
  }

  std::erase_if(snps, [](const CPodaciSNPaZaPorekloOdsecaka& snp) { return snp.sampleAllele1 == 0; });
  snps.shrink_to_fit();
  snpIndexByName.clear();
  snpIndexByName.shrink_to_fit();
  if (calculatorIsPar) {
    std::stable_sort(snps.begin(), snps.end(), [](const auto& a, const auto& b) {
      return a.chromosome != b.chromosome ? a.chromosome < b.chromosome : a.position < b.position;
    });
  }
  return true;
}

}  // namespace varnik
