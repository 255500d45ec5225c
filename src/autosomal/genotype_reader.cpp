// Raw genotype files of a person, as the testing companies hand them out,
// in four layouts:
//   0  comma-separated with a header line; values may be double-quoted:
//      name,chromosome,position,genotype
//   1  tab-separated, with '#' comment lines at the top
//   2  space-separated, no header or comments
//   3  comma-separated with a header line: name,chromosome,allele1,allele2
//   4  tab-separated: rsid, chromosome, position, allele1, allele2, after
//      '#' comments and a header line; chromosomes 23-26 are X, Y, XY and
//      MT, and an allele "0" is a no-call
//   5  comma-separated RSID,CHROMOSOME,POSITION,RESULT (the names in any
//      case), quoted or not, after any '#' comments
// Layouts 0-3 are told from the file's first data lines.  A file none of
// them fits is looked at once more for a header line that names its
// columns: the first line that is not a '#' comment, or a '#' comment that
// names five tab-separated columns.
#include <algorithm>
#include <cctype>
#include <initializer_list>

#include "autosomal/admixture_data.h"
#include "autosomal/autosomal_messages.h"
#include "autosomal/line_reader.h"
#include "common/format.h"
#include "common/packed_files.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

constexpr int kSampleProgressStep = 2048;
// What an unpacked raw genotype file may hold (a 2 GiB file read plain),
// and no more than a multiple of its packed size: raw files pack to a
// quarter or a fifth, while a crafted archive could ask a thousand times
// its size.
constexpr std::size_t kMaxGenotypeFileBytes = std::size_t{2} << 30;
constexpr std::size_t kMaxUnpackedPerPackedByte = 64;
constexpr std::size_t kUnpackedAllowance = std::size_t{64} << 20;

// Runs of one separator character in a line (adjacent ones count once).
int CountRuns(std::string_view line, char separator) {
  int runs = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == separator && (i == 0 || line[i - 1] != separator)) ++runs;
  }
  return runs;
}

std::string HeaderWord(std::string_view field) {
  field = StripQuotes(field);
  std::string word;
  for (const char c : field) {
    if (c == ' ' || c == '_' || c == '"') continue;
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return word;
}

bool OneOf(const std::string& word, std::initializer_list<std::string_view> words) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

// A header line's chromosome field ("chromosome", "chr"); data lines hold
// a number, X, Y, XY or MT, or a name such as "chr1".
bool IsHeaderChromosome(std::string_view chromosome) {
  return OneOf(HeaderWord(chromosome), {"chromosome", "chr", "chrom"});
}

// The layout whose columns a header line names, or -1.
int HeaderLineLayout(std::string_view line) {
  while (!line.empty() && (line.front() == '#' || line.front() == ' ')) line.remove_prefix(1);
  const char separator = line.find('\t') != std::string_view::npos ? '\t' : ',';
  std::vector<std::string_view> fields;
  SplitFields(line, separator, fields);
  if (fields.size() != 4 && fields.size() != 5) return -1;
  if (!OneOf(HeaderWord(fields[0]), {"rsid", "snp", "snpid", "snpname", "name", "marker"}) ||
      !IsHeaderChromosome(fields[1]) ||
      !OneOf(HeaderWord(fields[2]), {"position", "pos", "basepairposition", "physicalposition"})) {
    return -1;
  }
  if (fields.size() == 4) {
    if (!OneOf(HeaderWord(fields[3]), {"result", "genotype", "genotypes", "call"})) return -1;
    return separator == ',' ? kLayoutCommaHeader : kLayoutTabs;
  }
  if (separator != '\t' || HeaderWord(fields[3]) != "allele1" || HeaderWord(fields[4]) != "allele2") return -1;
  return kLayoutTabAlleles;
}

// The layouts told from a header line.
bool DetectHeaderLayout(std::string_view bytes, int& layout) {
  ByteLineReader reader(bytes);
  std::string_view line;
  while (reader.ReadLine(LineEnds::kTolerant, line) == kLineRead) {
    if (line.empty()) continue;
    const int named = HeaderLineLayout(line);
    if (line.front() == '#' && named != kLayoutTabAlleles) continue;
    if (named < 0) return false;
    layout = named;
    return true;
  }
  return false;
}

}  // namespace

char LayoutSeparator(int layout) {
  switch (layout) {
    case kLayoutTabs:
    case kLayoutTabAlleles:
      return '\t';
    case kLayoutSpaces:
      return ' ';
    default:
      return ',';
  }
}

bool LayoutColumns(int layout, const std::vector<std::string_view>& fields, std::string& buffer,
                   GenotypeColumns& columns) {
  const bool commas = layout == kLayoutCommaWithPositions || layout == kLayoutCommaAlleles;
  if (fields.empty() || (!commas && fields[0].front() == '#')) return false;
  if (layout != kLayoutTabAlleles && layout != kLayoutCommaHeader) {
    if (fields.size() < 4) return false;
    columns = {fields[0], fields[1], fields[2], fields[3]};
    return true;
  }
  if (layout == kLayoutCommaHeader) {
    if (fields.size() < 4) return false;
    columns = {StripQuotes(fields[0]), StripQuotes(fields[1]), StripQuotes(fields[2]), StripQuotes(fields[3])};
    return !IsHeaderChromosome(columns.chromosome);
  }
  if (fields.size() < 5 || IsHeaderChromosome(fields[1])) return false;
  columns = {fields[0], fields[1], fields[2], {}};
  static constexpr std::string_view kSexAndMitochondria[] = {"X", "Y", "XY", "MT"};
  int32_t chromosome = 0;
  if (ScanInt(fields[1], chromosome) && chromosome >= 23 && chromosome <= 26) {
    columns.chromosome = kSexAndMitochondria[chromosome - 23];
  }
  if (fields[3] == "0" || fields[4] == "0") {
    buffer = "--";
  } else {
    buffer.assign(fields[3]);
    buffer.append(fields[4]);
  }
  columns.genotype = buffer;
  return true;
}

bool ReadGenotypeFile(const std::string& path, std::string& bytes, std::string& error, int language) {
  if (!ReadAutosomalFile(path, bytes, error, language)) return false;
  const Packing packing = PackingOf(bytes);
  if (packing == Packing::kNone) return true;
  const auto fail = [&](AutosomalMessage why, const std::string& detail = {}) {
    const char* text = AutosomalMessageText(why, language);
    error = FileMessage(path, 0, detail.empty() ? std::string(text) : Format(text, detail.c_str()), language);
    bytes.clear();
    return false;
  };
  if (!CanUnpack()) return fail(AutosomalMessage::kNoUnpacking);
  std::vector<PackedEntry> files;
  const std::size_t limit =
      std::min(kMaxGenotypeFileBytes, bytes.size() * kMaxUnpackedPerPackedByte + kUnpackedAllowance);
  switch (Unpack(packing, bytes, limit, files)) {
    case UnpackStatus::kOk:
      break;
    case UnpackStatus::kDamaged:
      return fail(AutosomalMessage::kPackedDamaged);
    case UnpackStatus::kTooLarge:
      return fail(AutosomalMessage::kTooLarge);
    case UnpackStatus::kUnsupported:
      return fail(AutosomalMessage::kPackedUnsupported);
  }
  // Archives made on a Mac carry a folder of resource forks beside the file.
  std::erase_if(files, [](const PackedEntry& file) { return file.name.rfind("__MACOSX/", 0) == 0; });
  std::vector<std::size_t> genotypeFiles;
  for (std::size_t i = 0; i < files.size(); ++i) {
    int layout = -1;
    if (files.size() == 1 || DetectGenotypeLayout(files[i].bytes, layout)) genotypeFiles.push_back(i);
  }
  if (genotypeFiles.size() != 1) {
    std::string names;
    for (const PackedEntry& file : files) names += (names.empty() ? "\"" : ", \"") + file.name + "\"";
    return fail(AutosomalMessage::kZipContents, names.empty() ? "-" : names);
  }
  bytes = std::move(files[genotypeFiles.front()].bytes);
  return true;
}

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
  return DetectHeaderLayout(bytes, layout);
}

bool CProracunPoreklaOdsecaka::ReadSampleGenotypes(const std::string& path, std::string_view bytes, int layout,
                                                   bool calculatorIsPar, const AdmixtureRunContext& context) {
  const int language = context.language;
  // Layouts 0 and 3 have a header as their first line; 4 and 5 say which
  // line is the header.
  const bool commas = layout == kLayoutCommaWithPositions || layout == kLayoutCommaAlleles;
  const char separator = LayoutSeparator(layout);
  ByteLineReader reader(bytes);
  std::vector<std::string_view> fields;
  std::string alleles;    // layouts 3 and 4: the two allele columns joined
  std::string matchText;  // layout 3: the number of matches so far
  int64_t linesRead = 0, matches = 0;
  // A text calculator brings its own positions: the sample's are compared
  // with them to tell another genome build.
  BuildAgreement agreement;
  const bool checkBuild = !calculatorIsPar && layout != kLayoutCommaAlleles;
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
    GenotypeColumns columns;
    if (!LayoutColumns(layout, fields, alleles, columns)) continue;
    std::string_view name = columns.name, chromosome = columns.chromosome, position = columns.position,
                     genotype = columns.genotype;
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
    if (checkBuild) {
      int32_t sampleChromosome = 0, samplePosition = 0;
      if (ScanInt(StripQuotes(chromosome), sampleChromosome) && ScanInt(StripQuotes(position), samplePosition)) {
        agreement.Add(sampleChromosome == snp.chromosome && samplePosition == snp.position);
      }
    }
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

  if (agreement.OtherBuild()) {
    loadNotice = FileMessage(path, 0,
                             Format(AutosomalMessageText(AutosomalMessage::kOtherBuildCalculator, language),
                                    static_cast<long long>(agreement.differing), static_cast<long long>(agreement.compared)),
                             language);
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
