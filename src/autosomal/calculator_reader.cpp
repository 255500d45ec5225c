// Calculators: the text calculator (one comma-separated file) and the
// three-file calculator named by a ".par" file, and the loading sequence
// that joins a calculator with a sample.
//
// Text calculator, one comma-separated file:
//   K
//   name,red,green,blue                          (K lines)
//   snp,chromosome,position,cM,pair,f1,...,fK    (one line per SNP)
// The pair is two characters in A/B code; a pair whose first character is
// neither A nor B leaves the SNP out.  The f are frequencies of the pair's
// second allele; they are clamped into [0.001, 0.999] at the extremes.
//
// ".par" calculator: lines 5, 6 and 7 of the ".par" file name, relative to
// its folder, the population file (one name a line), the frequency file (K
// space-separated frequencies a line) and the SNP file ("snp allele1
// allele2", the frequencies being those of allele 2), one line per SNP in
// both.  The frequencies are taken as they stand.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>

#include "autosomal/admixture_data.h"
#include "autosomal/autosomal_messages.h"
#include "autosomal/line_reader.h"
#include "common/binary_io.h"
#include "common/format.h"
#include "common/utf.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

constexpr int kCalculatorProgressStep = 1024;
constexpr std::size_t kMaxAutosomalFileBytes = std::size_t{2} << 30;

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Shows the progress of a reader every `step` lines: what is read once,
// then how far.
class ReadProgress {
 public:
  ReadProgress(const AdmixtureRunContext& context, int step, int whatText)
      : context_(context), step_(step), whatText_(whatText) {}

  // Before line `linesRead` + 1; false when the run was stopped.
  bool BeforeLine(int64_t linesRead, const std::function<std::string()>& howFar) {
    if (context_.Stopped()) return false;
    if (context_.progress != nullptr && linesRead % step_ == 0) {
      if (!shown_) context_.progress->SetStatusLine(1, TextById(whatText_, context_.language));
      shown_ = true;
      context_.progress->SetStatusLine(2, howFar());
    }
    return true;
  }

 private:
  const AdmixtureRunContext& context_;
  int step_;
  int whatText_;
  bool shown_ = false;
};

std::string LinesRead(int64_t lines) { return Format("%lld", static_cast<long long>(lines)); }

}  // namespace

uint32_t ProgressPopulationPalette(int index) {
  static constexpr uint8_t kRgb[kPopulationPaletteSize][3] = {
      {255, 0, 255}, {0, 0, 255},     {128, 128, 0}, {0, 255, 0},     {255, 128, 0},
      {255, 0, 0},   {255, 255, 0},   {128, 0, 64},  {0, 255, 255},   {128, 128, 255},
      {255, 255, 255}, {64, 128, 128}, {255, 128, 128}};
  const uint8_t* rgb = kRgb[index % kPopulationPaletteSize];
  return rgb[0] | (uint32_t{rgb[1]} << 8) | (uint32_t{rgb[2]} << 16);
}

namespace {

// Where a C "%d" or "%lf" read starts: after blanks and one '+'.
const char* NumberStart(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && text[i] == '+') {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) return nullptr;
  }
  return text.data() + i;
}

}  // namespace

bool ScanInt(std::string_view text, int32_t& value) {
  const char* first = NumberStart(text);
  if (first == nullptr) return false;
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  return error == std::errc() && end != first;
}

bool ParseNumberOrMissing(std::string_view text, double& value, bool& missing) {
  if (text.empty()) return false;
  if (text.front() == 'N') {
    missing = true;
    return true;
  }
  const char* first = NumberStart(text);
  if (first == nullptr) return false;
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  if (error != std::errc() || end == first) return false;
  missing = false;
  return true;
}

bool ScanDouble(std::string_view text, double& value) {
  const char* first = NumberStart(text);
  if (first == nullptr) return false;
  double read = 0.0;
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), read);
  if (error != std::errc() || end == first || !std::isfinite(read)) return false;
  value = read;
  return true;
}

std::string_view StripQuotes(std::string_view text) {
  if (!text.empty() && text.front() == '"') text.remove_prefix(1);
  if (!text.empty() && text.back() == '"') text.remove_suffix(1);
  return text;
}

bool ReadAutosomalFile(const std::string& path, std::string& bytes, std::string& error, int language) {
  if (ReadWholeFile(path, bytes, kMaxAutosomalFileBytes)) return true;
  const bool exists = std::ifstream(PathFromUtf8(path), std::ios::binary).good();
  error = FileMessage(path, 0,
                      AutosomalMessageText(exists ? AutosomalMessage::kTooLarge : AutosomalMessage::kCannotOpen,
                                           language),
                      language);
  return false;
}

void CProracunPoreklaOdsecaka::CopySettingsFrom(const CProracunPoreklaOdsecaka& other) {
  samplePath = other.samplePath;
  calculatorPath = other.calculatorPath;
  changeThreshold = other.changeThreshold;
  chromosomeNumber = other.chromosomeNumber;
  segmentOnly = other.segmentOnly;
  segmentStart = other.segmentStart;
  segmentEnd = other.segmentEnd;
  windowBySnpCount = other.windowBySnpCount;
  halfWindowSnps = other.halfWindowSnps;
  windowLengthCm = other.windowLengthCm;
  minSideSnps = other.minSideSnps;
  drawZoomed = other.drawZoomed;
  levellingFactor = other.levellingFactor;
  pairsSamePopulationOnly = other.pairsSamePopulationOnly;
  drawLevelled = other.drawLevelled;
}

bool CProracunPoreklaOdsecaka::Fail(const AdmixtureRunContext& context, std::string message) {
  lastError = std::move(message);
  if (context.progress != nullptr) context.progress->SetStatusLine(2, lastError);
  return false;
}

void CProracunPoreklaOdsecaka::SortSnpIndex() {
  snpIndexByName.resize(snps.size());
  for (std::size_t i = 0; i < snps.size(); ++i) snpIndexByName[i] = static_cast<int32_t>(i);
  std::sort(snpIndexByName.begin(), snpIndexByName.end(),
            [this](int32_t a, int32_t b) { return snps[a].snpName < snps[b].snpName; });
}

bool FindSnpByName(const std::vector<int32_t>& index, const std::vector<CPodaciSNPaZaPorekloOdsecaka>& snps,
                   std::string_view name, int32_t& position) {
  const auto it = std::lower_bound(index.begin(), index.end(), name,
                                   [&snps](int32_t i, std::string_view n) { return snps[i].snpName < n; });
  position = static_cast<int32_t>(it - index.begin());
  return it != index.end() && snps[*it].snpName == name;
}

bool CProracunPoreklaOdsecaka::ReadTextCalculator(const std::string& path, const AdmixtureRunContext& context) {
  const int language = context.language;
  std::string bytes;
  if (!ReadAutosomalFile(path, bytes, lastError, language)) return Fail(context, lastError);
  ByteLineReader reader(bytes);
  const auto fail = [&](AutosomalMessage message, auto... args) {
    return Fail(context, FileMessage(path, reader.LineNumber(),
                                     AutosomalMessageFormat(message, language, args...), language));
  };
  ReadProgress progress(context, kCalculatorProgressStep, kTextLoadingCalculator);
  std::vector<std::string_view> fields;
  int64_t linesRead = 0;
  // Reads the next line into `fields`; false at the end or on an error,
  // `result` telling which.
  int result = kLineRead;
  const auto next = [&] {
    if (!progress.BeforeLine(linesRead, [&] { return LinesRead(linesRead); })) {
      result = -1;
      return false;
    }
    result = reader.ReadFields(LineEnds::kAny, ',', fields);
    if (result == kLineRead) ++linesRead;
    return result == kLineRead;
  };
  const auto failRead = [&] {
    if (result == -1) return Fail(context, FileMessage(path, 0, AutosomalMessageText(AutosomalMessage::kStopped, language), language));
    return fail(AutosomalMessage::kPopulationCount);
  };

  int32_t k = 0;
  if (!next()) return failRead();
  if (fields.empty() || !ScanInt(fields[0], k) || k < 2) return fail(AutosomalMessage::kPopulationCount);

  populationNames.clear();
  populationColours.clear();
  for (int32_t p = 0; p < k; ++p) {
    if (!next()) {
      if (result == -1) return failRead();
      return fail(AutosomalMessage::kPopulationLine);
    }
    int32_t red = 0, green = 0, blue = 0;
    if (fields.size() != 4 || !ScanInt(fields[1], red) || !ScanInt(fields[2], green) || !ScanInt(fields[3], blue)) {
      return fail(AutosomalMessage::kPopulationLine);
    }
    populationNames.emplace_back(fields[0]);
    populationColours.push_back((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
  }

  const std::size_t snpFields = static_cast<std::size_t>(k) + 5;
  while (next()) {
    if (fields.empty()) continue;  // a blank line, such as one at the end
    if (fields.size() < snpFields) return fail(AutosomalMessage::kSnpLineFields, static_cast<int>(snpFields));
    CPodaciSNPaZaPorekloOdsecaka snp;
    double cm = 0;
    bool missing = false;
    if (!ScanInt(fields[1], snp.chromosome)) return fail(AutosomalMessage::kNotANumber, 2, std::string(fields[1]).c_str());
    if (!ScanInt(fields[2], snp.position)) return fail(AutosomalMessage::kNotANumber, 3, std::string(fields[2]).c_str());
    if (!ParseNumberOrMissing(fields[3], cm, missing) || !std::isfinite(cm)) {
      return fail(AutosomalMessage::kNotANumber, 4, std::string(fields[3]).c_str());
    }
    if (missing) return fail(AutosomalMessage::kMissingValue, 4);
    const std::string_view pair = fields[4];
    if (pair.size() != 2) return fail(AutosomalMessage::kAllelePair, std::string(pair).c_str());
    if (pair[0] != 'A' && pair[0] != 'B') continue;
    snp.snpName.assign(fields[0]);
    snp.geneticPosition = cm;
    snp.refAllele1 = static_cast<unsigned char>(pair[0]);
    snp.refAllele2 = static_cast<unsigned char>(pair[1]);
    snp.frequencies.resize(k);
    for (int32_t p = 0; p < k; ++p) {
      double f = 0;
      if (!ParseNumberOrMissing(fields[5 + p], f, missing) || std::isnan(f)) {
        return fail(AutosomalMessage::kNotANumber, 6 + p, std::string(fields[5 + p]).c_str());
      }
      if (missing) return fail(AutosomalMessage::kMissingValue, 6 + p);
      if (f <= 0.00001) {
        f = 0.001;
      } else if (f >= 0.99999) {
        f = 0.999;
      }
      snp.frequencies[p] = f;
    }
    if (snp.refAllele1 == 'B') {
      for (double& f : snp.frequencies) f = 1.0 - f;
      std::swap(snp.refAllele1, snp.refAllele2);
    }
    snps.push_back(std::move(snp));
  }
  if (result == -1) return failRead();
  if (result == kLineReadError) return fail(AutosomalMessage::kLineEnd);
  snps.shrink_to_fit();
  SortSnpIndex();
  return true;
}

bool CProracunPoreklaOdsecaka::ReadParCalculator(const std::string& directory, std::string_view populationFile,
                                                 std::string_view frequencyFile, std::string_view snpFile,
                                                 const AdmixtureRunContext& context) {
  const int language = context.language;
  populationNames.clear();
  populationColours.clear();
  snps.clear();
  const auto stopped = [&](const std::string& path) {
    return Fail(context, FileMessage(path, 0, AutosomalMessageText(AutosomalMessage::kStopped, language), language));
  };

  // Population names, one a line.
  const std::string populationPath = directory + std::string(populationFile);
  std::string bytes;
  if (!ReadAutosomalFile(populationPath, bytes, lastError, language)) return Fail(context, lastError);
  {
    ByteLineReader reader(bytes);
    std::string_view line;
    int result = kLineRead;
    while ((result = reader.ReadLine(LineEnds::kTolerant, line)) == kLineRead) {
      line = TrimBlanks(line);
      if (line.empty()) continue;
      populationNames.emplace_back(line);
      populationColours.push_back(ProgressPopulationPalette(static_cast<int>(populationColours.size())));
    }
    if (result == kLineReadError) {
      return Fail(context, FileMessage(populationPath, reader.LineNumber(),
                                       AutosomalMessageText(AutosomalMessage::kLineEnd, language), language));
    }
    if (populationNames.size() < 2) {
      return Fail(context, FileMessage(populationPath, 0,
                                       AutosomalMessageText(AutosomalMessage::kTooFewPopulations, language), language));
    }
  }
  const std::size_t k = populationNames.size();

  // SNPs and their alleles.  `kept` says, for each line of the SNP file,
  // whether its SNP was taken, so that the frequency file's lines of the
  // SNPs left out are passed over too.
  const std::string snpPath = directory + std::string(snpFile);
  if (!ReadAutosomalFile(snpPath, bytes, lastError, language)) return Fail(context, lastError);
  std::vector<bool> kept;
  {
    ByteLineReader reader(bytes);
    ReadProgress progress(context, kCalculatorProgressStep, kTextLoadingCalculatorSnps);
    std::vector<std::string_view> fields;
    int64_t linesRead = 0;
    int result = kLineRead;
    for (;;) {
      if (!progress.BeforeLine(linesRead, [&] { return LinesRead(linesRead); })) return stopped(snpPath);
      if ((result = reader.ReadFields(LineEnds::kAny, ' ', fields)) != kLineRead) break;
      ++linesRead;
      if (fields.empty()) continue;
      const auto fail = [&](AutosomalMessage message) {
        return Fail(context, FileMessage(snpPath, reader.LineNumber(), AutosomalMessageText(message, language), language));
      };
      if (fields.size() < 3) return fail(AutosomalMessage::kAlleleField);
      if (fields[1].size() != 1 || fields[2].size() != 1) return fail(AutosomalMessage::kAlleleField);
      const char16_t a1 = FoldToAbCode(static_cast<unsigned char>(fields[1][0]));
      const char16_t a2 = FoldToAbCode(static_cast<unsigned char>(fields[2][0]));
      const bool usable = (a1 == 'A' || a1 == 'B') && (a2 == 'A' || a2 == 'B');
      kept.push_back(usable);
      if (!usable) continue;
      CPodaciSNPaZaPorekloOdsecaka snp;
      snp.snpName.assign(fields[0]);
      snp.refAllele1 = a1;
      snp.refAllele2 = a2;
      snps.push_back(std::move(snp));
    }
    if (result == kLineReadError) {
      return Fail(context, FileMessage(snpPath, reader.LineNumber(),
                                       AutosomalMessageText(AutosomalMessage::kLineEnd, language), language));
    }
  }

  // Frequencies, one line per line of the SNP file.
  const std::string frequencyPath = directory + std::string(frequencyFile);
  if (!ReadAutosomalFile(frequencyPath, bytes, lastError, language)) return Fail(context, lastError);
  {
    ByteLineReader reader(bytes);
    ReadProgress progress(context, kCalculatorProgressStep, kTextLoadingCalculatorFrequencies);
    std::vector<std::string_view> fields;
    const int64_t total = static_cast<int64_t>(kept.size());
    const std::string of = TextById(kTextOf, language);
    std::size_t snp = 0;
    for (int64_t line = 0; line < total;) {
      if (!progress.BeforeLine(line, [&] {
            return Format("%lld %s %lld (%.2f%%)", static_cast<long long>(line), of.c_str(),
                          static_cast<long long>(total), 100.0 * static_cast<double>(line) / static_cast<double>(total));
          })) {
        return stopped(frequencyPath);
      }
      const int result = reader.ReadFields(LineEnds::kAny, ' ', fields);
      const auto fail = [&](const std::string& text) {
        return Fail(context, FileMessage(frequencyPath, reader.LineNumber(), text, language));
      };
      if (result == kLineReadError) return fail(AutosomalMessageText(AutosomalMessage::kLineEnd, language));
      if (result == kLineEndOfFile) {
        return Fail(context, FileMessage(frequencyPath, 0,
                                         Format(AutosomalMessageText(AutosomalMessage::kFrequencyFileShort, language),
                                                static_cast<int>(line), static_cast<int>(total)),
                                         language));
      }
      if (fields.empty()) continue;
      if (!kept[line++]) continue;
      if (fields.size() != k) {
        return fail(Format(AutosomalMessageText(AutosomalMessage::kFrequencyCount, language), static_cast<int>(k),
                           static_cast<int>(fields.size())));
      }
      CPodaciSNPaZaPorekloOdsecaka& record = snps[snp++];
      record.frequencies.resize(k);
      for (std::size_t p = 0; p < k; ++p) {
        double f = 0;
        bool missing = false;
        // A frequency outside [0, 1] would make the probabilities negative.
        if (!ParseNumberOrMissing(fields[p], f, missing) || missing || !(f >= 0.0 && f <= 1.0)) {
          return fail(Format(AutosomalMessageText(AutosomalMessage::kNotANumber, language), static_cast<int>(p + 1),
                             std::string(fields[p]).c_str()));
        }
        record.frequencies[p] = f;
      }
      if (record.refAllele1 == 'B') {
        for (double& f : record.frequencies) f = 1.0 - f;
        std::swap(record.refAllele1, record.refAllele2);
      }
    }
  }
  snps.shrink_to_fit();
  SortSnpIndex();
  return true;
}

bool CProracunPoreklaOdsecaka::LoadAdmixtureInputs(int mode, const AdmixtureRunContext& context) {
  const int language = context.language;
  snps.clear();
  snpIndexByName.clear();
  chromosomeRuns.clear();
  lastError.clear();
  loadNotice.clear();

  // The folder, the name and the extension of the calculator's path.
  const std::size_t slash = calculatorPath.find_last_of("/\\");
  const std::string directory = slash == std::string::npos ? std::string() : calculatorPath.substr(0, slash + 1);
  const std::string fileName = slash == std::string::npos ? calculatorPath : calculatorPath.substr(slash + 1);
  const std::size_t dot = fileName.find_last_of('.');
  const std::string stem = dot == std::string::npos ? fileName : fileName.substr(0, dot);
  std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const bool isPar = extension == ".PAR";

  bool loaded = false;
  if (isPar) {
    std::string bytes;
    if (!ReadAutosomalFile(calculatorPath, bytes, lastError, language)) {
      Fail(context, lastError);
    } else {
      ByteLineReader reader(bytes);
      std::vector<std::string> lines;
      std::string_view line;
      int result = kLineRead;
      while ((result = reader.ReadLine(LineEnds::kTolerant, line)) == kLineRead) {
        lines.emplace_back(TrimBlanks(line.substr(0, std::min(line.find('^'), line.size()))));
      }
      if (result == kLineReadError) {
        Fail(context, FileMessage(calculatorPath, reader.LineNumber(),
                                  AutosomalMessageText(AutosomalMessage::kLineEnd, language), language));
      } else if (lines.size() < 7) {
        Fail(context, FileMessage(calculatorPath, 0, AutosomalMessageText(AutosomalMessage::kParTooShort, language),
                                  language));
      } else {
        loaded = ReadParCalculator(directory, lines[4], lines[5], lines[6], context);
      }
    }
  } else {
    loaded = ReadTextCalculator(calculatorPath, context);
  }

  if (loaded) {
    calculatorDisplayName = Texts().TranslateEnglishName(stem, 1);
    std::string sample;
    int layout = -1;
    if (!ReadGenotypeFile(samplePath, sample, lastError, language)) {
      loaded = Fail(context, lastError);
    } else if (!DetectGenotypeLayout(sample, layout)) {
      loaded = Fail(context, FileMessage(samplePath, 0, AutosomalMessageText(AutosomalMessage::kUnknownLayout, language),
                                         language));
    } else if (mode == kLoadForPainting && layout == kLayoutCommaAlleles) {
      loaded = Fail(context, FileMessage(samplePath, 0,
                                         AutosomalMessageText(AutosomalMessage::kLayoutNotForPainting, language),
                                         language));
    } else {
      loaded = ReadSampleGenotypes(samplePath, sample, layout, isPar, context);
    }
  }
  // A failed load keeps nothing half-read.
  if (!loaded) {
    snps.clear();
    snps.shrink_to_fit();
    snpIndexByName.clear();
  }
  return loaded;
}

}  // namespace varnik
