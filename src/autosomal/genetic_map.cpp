// The genetic map of the genome comparison: genetic positions (cM) at
// base-pair positions, from which every SNP of a sample takes its own by
// linear interpolation.
#include <algorithm>

#include "autosomal/autosomal_messages.h"
#include "autosomal/genome_comparison.h"
#include "autosomal/line_reader.h"
#include "common/format.h"
#include "platform/program_folder.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

constexpr int kMapProgressStep = 2048;

enum class MapLayout { kUnknown, kComma, kPlink, kRate };

// Splits at runs of blanks and tabs.
void SplitBlanks(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::size_t end = i;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    if (end > i) fields.push_back(line.substr(i, end - i));
    i = end;
  }
}

// A chromosome as maps write it: "7", "chr7" or "Chr7".
bool ParseMapChromosome(std::string_view text, int32_t& chromosome) {
  if (text.size() > 3 && (text.substr(0, 3) == "chr" || text.substr(0, 3) == "Chr")) text.remove_prefix(3);
  return !text.empty() && text.front() >= '0' && text.front() <= '9' && ScanInt(text, chromosome);
}

// A whole field as a decimal number.
bool WholeInt(std::string_view text, int32_t& value) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
  return ScanInt(text, value);
}

}  // namespace

bool ReadGeneticMapBytes(const std::string& path, std::string_view bytes, std::vector<CSNP>& map,
                         const AdmixtureRunContext& context, std::string& error) {
  const int language = context.language;
  map.clear();
  ByteLineReader reader(bytes);
  std::vector<std::string_view> fields;
  std::string_view line;
  MapLayout layout = MapLayout::kUnknown;
  int64_t linesRead = 0;
  int result = kLineRead;
  const auto fail = [&](AutosomalMessage message, auto... args) {
    error = FileMessage(path, reader.LineNumber(), AutosomalMessageFormat(message, language, args...), language);
    map.clear();
    return false;
  };
  if (context.progress != nullptr) context.progress->SetStatusLine(1, TextById(kTextLoadingGeneticMap, language));
  // One position a line; a usable line has at least 8 bytes.
  const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  map.reserve(std::min(lines, bytes.size() / 8) + 1);
  for (;;) {
    if (linesRead % kMapProgressStep == 0) {
      if (context.Stopped()) {
        error = FileMessage(path, 0, AutosomalMessageText(AutosomalMessage::kStopped, language), language);
        map.clear();
        return false;
      }
      if (context.progress != nullptr) context.progress->SetStatusLine(2, Format("%lld", static_cast<long long>(linesRead)));
    }
    if ((result = reader.ReadLine(LineEnds::kTolerant, line)) != kLineRead) break;
    ++linesRead;
    if (layout == MapLayout::kUnknown) {
      SplitFields(line, ',', fields);
      if (fields.size() >= 3) {
        layout = MapLayout::kComma;
      } else {
        // The first line that starts with a chromosome tells the blank-
        // separated layout; lines before it are headers.
        SplitBlanks(line, fields);
        int32_t chromosome = 0, number = 0;
        if (fields.empty() || !ParseMapChromosome(fields[0], chromosome)) continue;
        if (fields.size() != 4) return fail(AutosomalMessage::kMapLayout);
        layout = WholeInt(fields[1], number) ? MapLayout::kRate : MapLayout::kPlink;
      }
    } else if (layout == MapLayout::kComma) {
      SplitFields(line, ',', fields);
    } else {
      SplitBlanks(line, fields);
    }
    // Built in place; a skipped line takes it off again.
    CSNP& snp = map.emplace_back();
    if (layout == MapLayout::kComma) {
      // A line whose chromosome or position is no number (a header, X, Y)
      // is skipped.
      if (fields.size() < 3 || !ScanInt(fields[1], snp.chromosome) || !ScanInt(fields[2], snp.position)) {
        map.pop_back();
        continue;
      }
      if (fields.size() != 6) return fail(AutosomalMessage::kSnpLineFields, 6);
      bool missing[3] = {false, false, false};
      for (int m = 0; m < 3; ++m) {
        // Maps often repeat one position three times; the text read once
        // serves again.
        if (m > 0 && fields[3 + m] == fields[3]) {
          snp.mapPosition[m] = snp.mapPosition[0];
          missing[m] = missing[0];
          continue;
        }
        if (!ParseNumberOrMissing(fields[3 + m], snp.mapPosition[m], missing[m])) {
          return fail(AutosomalMessage::kNotANumber, 4 + m, std::string(fields[3 + m]).c_str());
        }
      }
      // A line without the first position is of no use; a missing second
      // or third takes the first.
      if (missing[0]) {
        map.pop_back();
        continue;
      }
      for (int m = 1; m < 3; ++m) {
        if (missing[m]) snp.mapPosition[m] = snp.mapPosition[0];
      }
      // The names tell a sample on another genome build.
      snp.name.assign(fields[0]);
    } else {
      if (fields.empty() || !ParseMapChromosome(fields[0], snp.chromosome)) {
        map.pop_back();
        continue;
      }
      if (fields.size() != 4) return fail(AutosomalMessage::kMapLayout);
      const bool plink = layout == MapLayout::kPlink;
      const std::string_view position = plink ? fields[3] : fields[1];
      const std::string_view cm = plink ? fields[2] : fields[3];
      if (!ScanInt(position, snp.position)) return fail(AutosomalMessage::kNotANumber, plink ? 4 : 2, std::string(position).c_str());
      if (!ScanDouble(cm, snp.mapPosition[0])) return fail(AutosomalMessage::kNotANumber, plink ? 3 : 4, std::string(cm).c_str());
      // PLINK marks excluded variants with a negative position.
      if (snp.position < 0) {
        map.pop_back();
        continue;
      }
      snp.mapPosition[1] = snp.mapPosition[2] = snp.mapPosition[0];
      if (plink) snp.name.assign(fields[1]);
    }
  }
  if (result == kLineReadError) return fail(AutosomalMessage::kLineEnd);
  if (map.empty()) {
    error = FileMessage(path, 0, AutosomalMessageText(AutosomalMessage::kEmptyGeneticMap, language), language);
    return false;
  }
  const auto byPosition = [](const CSNP& a, const CSNP& b) {
    return a.chromosome != b.chromosome ? a.chromosome < b.chromosome : a.position < b.position;
  };
  if (!std::is_sorted(map.begin(), map.end(), byPosition)) std::stable_sort(map.begin(), map.end(), byPosition);
  return true;
}

LoadedGeneticMap LoadGeneticMap(const std::string& path, const AdmixtureRunContext& context) {
  LoadedGeneticMap map;
  std::string bytes;
  if (!ReadAutosomalFile(path, bytes, map.error, context.language)) return map;
  if (!ReadGeneticMapBytes(path, bytes, map.snps, context, map.error)) return map;
  map.chromosomes = IndexChromosomes(map.snps);
  AssignBlocks(map.snps, map.chromosomes);
  map.ok = true;
  return map;
}

std::string CPoregjenjeUzoraka::GeneticMapPath() const {
  return mapPath.empty() ? DataFile(kGeneticMapFileName) : mapPath;
}

bool CPoregjenjeUzoraka::ReadGeneticMap(const AdmixtureRunContext& context) {
  LoadedGeneticMap map = LoadGeneticMap(GeneticMapPath(), context);
  geneticMap = std::move(map.snps);
  mapChromosomes = std::move(map.chromosomes);
  if (!map.ok) lastError = std::move(map.error);
  return map.ok;
}

void CPoregjenjeUzoraka::AssignMapPositions(CUzorakZaPoregjenje& sample, bool takeMapBlocks) const {
  std::size_t spanIndex = 0;
  for (const ChromosomeSpan& span : sample.chromosomes) {
    while (spanIndex < mapChromosomes.size() && mapChromosomes[spanIndex].chromosome < span.chromosome) ++spanIndex;
    const bool mapped = spanIndex < mapChromosomes.size() && mapChromosomes[spanIndex].chromosome == span.chromosome;
    if (!mapped) {
      // No map of this chromosome: every length on it is 0.
      for (int32_t i = span.firstSnp; i < span.firstSnp + span.snpCount; ++i) {
        std::fill(std::begin(sample.snps[i].mapPosition), std::end(sample.snps[i].mapPosition), 0.0);
      }
      continue;
    }
    const int32_t mapFirst = mapChromosomes[spanIndex].firstSnp;
    const int32_t mapLast = mapFirst + mapChromosomes[spanIndex].snpCount - 1;
    int32_t below = mapFirst - 1;  // the last map SNP not above the sample's SNP
    for (int32_t i = span.firstSnp; i < span.firstSnp + span.snpCount; ++i) {
      CSNP& snp = sample.snps[i];
      while (below < mapLast && geneticMap[below + 1].position <= snp.position) ++below;
      const CSNP* nearer = nullptr;
      if (below < mapFirst) {
        nearer = &geneticMap[mapFirst];
        std::copy(std::begin(nearer->mapPosition), std::end(nearer->mapPosition), snp.mapPosition);
      } else if (below == mapLast || geneticMap[below].position == snp.position) {
        nearer = &geneticMap[below];
        std::copy(std::begin(nearer->mapPosition), std::end(nearer->mapPosition), snp.mapPosition);
      } else {
        const CSNP& low = geneticMap[below];
        const CSNP& high = geneticMap[below + 1];
        const double share = static_cast<double>(snp.position - low.position) / (high.position - low.position);
        for (int m = 0; m < 3; ++m) {
          snp.mapPosition[m] = low.mapPosition[m] + share * (high.mapPosition[m] - low.mapPosition[m]);
        }
        nearer = share <= 0.5 ? &low : &high;
      }
      if (takeMapBlocks) snp.block = nearer->block;
    }
  }
}

}  // namespace varnik
