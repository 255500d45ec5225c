// The report of a genome comparison, "Ishodi poregjenj.txt": per result the
// samples, the totals and the runs found, grouped by threshold row.
#include <algorithm>
#include <cstdio>

#include "autosomal/genome_comparison.h"
#include "common/binary_io.h"
#include "common/format.h"
#include "common/utf.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct RunRef {
  const CPoregjenjeUzoraka::CZajednickiOdsecak* run;
  bool secondTrack;
};

}  // namespace

std::string CPoregjenjeUzoraka::FormatComparisonReport(int language) const {
  const auto text = [language](int id) { return TextById(id, language).c_str(); };
  const bool comparison = resultMode == kModeComparison;
  std::string out = Format("%s\r\n", text(comparison ? kTextComparisonOfGenomes : kTextRelatednessOfParents));
  const int resultCount = static_cast<int>(results.size());
  for (int r = 0; r < resultCount; ++r) {
    const CPoregjenjeDvajuUzoraka& result = results[r];
    const CUzorakZaPoregjenje& a = samples[result.sampleA];
    const std::vector<CSNP>& snps = a.snps;
    if (resultCount > 1) {
      out += Format("\r\n\r\n=====================\r\n%s %d %s %d\r\n", text(kTextComparison), r + 1, text(kTextOf),
                    resultCount);
    }
    const auto sampleLine = [&](const CUzorakZaPoregjenje& sample) {
      out += Format("\"%s\" (%d %s)\r\n", FileName(sample.path).c_str(), static_cast<int>(sample.snps.size()),
                    text(kTextSnps));
    };
    sampleLine(a);
    if (comparison && result.sampleB >= 0) sampleLine(samples[result.sampleB]);

    const auto lengthCm = [&](const CZajednickiOdsecak& run) {
      return snps[run.lastSnp].mapPosition[0] - snps[run.firstSnp].mapPosition[0];
    };
    const auto lengthMb = [&](const CZajednickiOdsecak& run) {
      return (static_cast<double>(snps[run.lastSnp].position) - snps[run.firstSnp].position) / 1e6;
    };
    double totalCm = 0.0, totalMb = 0.0;
    for (const auto& track : result.runs) {
      for (const CZajednickiOdsecak& run : track) {
        totalCm += lengthCm(run);
        totalMb += lengthMb(run);
      }
    }
    out += Format("%s: %.2f %s%s\r\n", text(kTextTotal), totalCm, text(kTextCentimorgans),
                  Format(" ; %.2f M", totalMb).c_str());

    if (comparison) {
      const int64_t compared = result.identical + result.halfIdentical + result.different;
      out += Format("%s: %lld %s\r\n", text(kTextTotalComparable), static_cast<long long>(compared), text(kTextSnps));
      if (compared != 0) {
        const auto share = [compared](int64_t n) { return 100.0 * static_cast<double>(n) / static_cast<double>(compared); };
        out += Format("%s: %lld (%.4f%%)\r\n", text(kTextEqual), static_cast<long long>(result.identical),
                      share(result.identical));
        out += Format("%s: %lld (%.4f%%)\r\n", text(kTextSemiequal), static_cast<long long>(result.halfIdentical),
                      share(result.halfIdentical));
        out += Format("%s: %lld (%.4f%%)\r\n", text(kTextDifferent), static_cast<long long>(result.different),
                      share(result.different));
        const int64_t differences = result.halfIdentical + 2 * result.different;
        out += Format("%s: %lld %s 2*%lld=%lld (%.4f%%)\r\n", text(kTextTotalDifferences),
                      static_cast<long long>(differences), text(kTextOf), static_cast<long long>(compared),
                      static_cast<long long>(2 * compared), 100.0 * differences / (2.0 * compared));
      }
    } else {
      const int64_t all = result.identical + result.different;
      out += Format("%s: %.4f%%\r\n", text(kTextEqual), all == 0 ? 0.0 : 100.0 * result.identical / all);
    }

    for (int row = 0; row < static_cast<int>(resultTable.size()); ++row) {
      std::vector<RunRef> runs;
      for (int t = 0; t < 2; ++t) {
        for (const CZajednickiOdsecak& run : result.runs[t]) {
          if (run.row == row) runs.push_back({&run, t == 1});
        }
      }
      if (runs.empty()) continue;
      // Along the genome: by chromosome and start, the first track first.
      std::stable_sort(runs.begin(), runs.end(), [&snps](const RunRef& x, const RunRef& y) {
        const CSNP& a = snps[x.run->firstSnp];
        const CSNP& b = snps[y.run->firstSnp];
        if (a.chromosome != b.chromosome) return a.chromosome < b.chromosome;
        if (a.position != b.position) return a.position < b.position;
        return !x.secondTrack && y.secondTrack;
      });
      double rowCm = 0.0, rowMb = 0.0;
      for (const RunRef& ref : runs) {
        rowCm += lengthCm(*ref.run);
        rowMb += lengthMb(*ref.run);
      }
      const CPodaciOpsega& limits = resultTable[row];
      out += Format("\r\n===== %s = %d, %s %d %s, %s %.2f %s    %s: %.2f %s%s\r\n", text(kTextExtent), row + 1, ">=",
                    limits.minSnps, text(kTextSnps), ">=", limits.minCm, text(kTextCentimorgans), text(kTextTotal),
                    rowCm, text(kTextCentimorgans), Format(" ; %.2f M", rowMb).c_str());
      int number = 0;
      for (const RunRef& ref : runs) {
        const CZajednickiOdsecak& run = *ref.run;
        const CSNP& first = snps[run.firstSnp];
        const CSNP& last = snps[run.lastSnp];
        out += Format("%d. %s %d: [%s (%d) - %s (%d)]  %s: %d %s: %.2f %s%s%s\r\n", ++number, text(kTextChromosome),
                      first.chromosome, first.name.c_str(), first.position, last.name.c_str(), last.position,
                      text(kTextSnps), run.snpCount, text(kTextLength), lengthCm(run), text(kTextCentimorgans),
                      Format(" ; %.2f M", lengthMb(run)).c_str(), ref.secondTrack ? " (')" : "");
      }
    }
  }
  return out;
}

bool CPoregjenjeUzoraka::WriteComparisonReport(const std::string& path, int language) const {
  if (!WriteFileAtomically(path, Utf16LeWithBom(FormatComparisonReport(language)))) {
    std::fputs("Izlazno spremiste se ne moze otvoriti\n", stdout);
    return false;
  }
  return true;
}

}  // namespace varnik
