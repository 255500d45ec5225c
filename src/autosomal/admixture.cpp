// The admixture estimate: the shares of the calculator's populations in the
// sample's ancestry, by expectation-maximisation with the frequencies held
// fixed, over all SNPs, one chromosome or a base-pair window of one.
//
// Early iterations update the shares from B interleaved subsets of the SNPs
// (block passes of stride B), which moves them B times per sweep; B shrinks
// as the fit settles, and near the end an extrapolation along the last
// sweep's direction is tried.
#include <algorithm>
#include <cmath>

#include "autosomal/admixture_data.h"
#include "autosomal/admixture_em.h"
#include "autosomal/autosomal_messages.h"
#include "common/format.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

constexpr int kFirstBlockCount = 38;
constexpr int kMinimumWindowSnps = 100;
// The least share an extrapolation leaves: a share of exactly 0 could never
// grow again, as every pass multiplies it.
constexpr double kExtrapolationFloor = 1e-12;

double Distance(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0.0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += std::fabs(a[i] - b[i]);
  return sum;
}

}  // namespace

std::vector<int> SortedOrder(const std::vector<double>& shares) {
  std::vector<int> order(shares.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  for (std::size_t place = 0; place < order.size(); ++place) {
    std::size_t best = place;
    for (std::size_t j = place + 1; j < order.size(); ++j) {
      if (shares[order[j]] > shares[order[best]]) best = j;
    }
    // Moving the best up (not swapping) keeps equal shares in their order.
    std::rotate(order.begin() + place, order.begin() + best, order.begin() + best + 1);
  }
  return order;
}

void CProracunPoreklaOdsecaka::BuildChromosomeRuns() {
  chromosomeRuns.clear();
  const int32_t n = static_cast<int32_t>(snps.size());
  int32_t first = 0;
  for (int32_t i = 1; i <= n; ++i) {
    if (i == n || snps[i].chromosome != snps[first].chromosome) {
      chromosomeRuns.push_back({first, i - 1, snps[first].chromosome});
      first = i;
    }
  }
}

void CProracunPoreklaOdsecaka::FindSegmentRange() {
  const CPodaciHromozoma& run = chromosomeRuns[chromosomeNumber - 1];
  const int32_t low = std::min(segmentStart, segmentEnd), high = std::max(segmentStart, segmentEnd);
  segmentFirstSnp = run.firstSnp;
  while (segmentFirstSnp < run.lastSnp && snps[segmentFirstSnp].position < low) ++segmentFirstSnp;
  segmentLastSnp = run.lastSnp;
  while (segmentLastSnp > segmentFirstSnp && snps[segmentLastSnp].position > high) --segmentLastSnp;
}

std::string CProracunPoreklaOdsecaka::FormatProportions(bool sorted) const {
  std::vector<int> order(proportions.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  if (sorted) order = SortedOrder(proportions);
  std::string list;
  for (const int p : order) {
    const double percent = std::clamp(100.0 * proportions[p], 0.0, 100.0);
    const std::string& name = p < static_cast<int>(populationNames.size()) ? populationNames[p] : std::string();
    list += Format("%s:\t\t%.4f%%\r\n", name.c_str(), percent);
  }
  return list;
}

std::string CProracunPoreklaOdsecaka::ReportHeader(bool finalReport, int language) const {
  int64_t n = static_cast<int64_t>(snps.size());
  if (chromosomeNumber > 0 && chromosomeNumber <= static_cast<int32_t>(chromosomeRuns.size())) {
    const CPodaciHromozoma& run = chromosomeRuns[chromosomeNumber - 1];
    n = run.lastSnp - run.firstSnp + 1;
    if (segmentOnly != 0) n = segmentLastSnp - segmentFirstSnp + 1;
  }
  const std::string& snpsText = TextById(kTextSnps, language);
  std::string header =
      finalReport ? Format("%s: %lld", snpsText.c_str(), static_cast<long long>(n))
                  : Format("%s  -   %s: %lld", TextById(kTextCalculation, language).c_str(), snpsText.c_str(),
                           static_cast<long long>(n));
  if (chromosomeNumber != 0) {
    header += Format(",  %s: %d", TextById(kTextChromosome, language).c_str(), chromosomeNumber);
    if (segmentOnly != 0) header += Format(" (%d - %d)", segmentStart, segmentEnd);
  }
  if (!calculatorDisplayName.empty()) header += Format(" , %s", calculatorDisplayName.c_str());
  // The sample's file name; a name without an extension gets a bare dot.
  const std::size_t slash = samplePath.find_last_of("/\\");
  const std::string fileName = slash == std::string::npos ? samplePath : samplePath.substr(slash + 1);
  const std::size_t dot = fileName.find_last_of('.');
  const std::string shown = dot == std::string::npos ? (fileName.empty() ? fileName : fileName + ".") : fileName;
  if (!shown.empty()) header += Format(",  \"%s\"", shown.c_str());
  return header;
}

void CProracunPoreklaOdsecaka::ReportAdmixture(int iteration, double change, bool finalReport,
                                               const AdmixtureRunContext& context) const {
  if (context.progress == nullptr) return;
  if (!finalReport && iteration % 10 != 0) return;
  if (finalReport || iteration < 50) context.progress->SetStatusLine(1, ReportHeader(finalReport, context.language));
  context.progress->SetStatusLine(2, Format("%d     E = %lg", std::abs(iteration), change));
  std::string results = FormatProportions(finalReport && context.sortResults);
  // The final list says what the load noticed (another genome build).
  if (finalReport && !loadNotice.empty()) results += "\r\n" + loadNotice + "\r\n";
  context.progress->SetRunningResults(results);
}

bool CProracunPoreklaOdsecaka::RunAdmixture(const AdmixtureRunContext& context) {
  paintingReady = 0;
  if (!LoadAdmixtureInputs(kLoadForAdmixture, context)) return false;
  return ComputeAdmixture(chromosomeNumber - 1, context);
}

bool CProracunPoreklaOdsecaka::ComputeAdmixture(int chromosomeIndex, const AdmixtureRunContext& context) {
  const int language = context.language;
  const int k = static_cast<int>(populationNames.size());
  BuildChromosomeRuns();
  proportions.resize(k);
  // A run that cannot start says why in the result box.
  const auto refuse = [&](const std::string& message) {
    lastError = message;
    if (context.progress != nullptr) context.progress->SetRunningResults(message);
    return false;
  };
  if (chromosomeRuns.empty() || k < 1) {
    return refuse(FileMessage(samplePath, 0, AutosomalMessageText(AutosomalMessage::kNoCommonSnps, language), language));
  }
  if (chromosomeIndex >= static_cast<int>(chromosomeRuns.size())) {
    return refuse(Format(AutosomalMessageText(AutosomalMessage::kNoSuchChromosome, language), chromosomeIndex + 1,
                         static_cast<int>(chromosomeRuns.size())));
  }

  int first = chromosomeRuns.front().firstSnp, last = chromosomeRuns.back().lastSnp;
  if (chromosomeIndex >= 0) {
    first = chromosomeRuns[chromosomeIndex].firstSnp;
    last = chromosomeRuns[chromosomeIndex].lastSnp;
    if (segmentOnly != 0) {
      FindSegmentRange();
      first = segmentFirstSnp;
      last = segmentLastSnp;
      if (last - first + 1 < kMinimumWindowSnps) {
        const std::string message =
            Format("%s \r\n%s", TextById(kTextSegmentTooFewSnps, language).c_str(),
                   Format(TextById(kTextSegmentSnpsAtLeast, language).c_str(), kMinimumWindowSnps, last - first + 1).c_str());
        refuse(message);
        if (context.showRefusal) context.showRefusal(message);
        return false;
      }
    }
  }

  AdmixtureEm em(snps, first, last, k);
  // Without a usable genotype no pass could ever change the shares.
  if (em.UsableCount() == 0) {
    const AutosomalMessage reason =
        snps.empty() ? AutosomalMessage::kNoCommonSnps : AutosomalMessage::kNoCalculatorAlleles;
    return refuse(FileMessage(samplePath, 0, AutosomalMessageText(reason, language), language));
  }
  const int end = em.SnpCount() - 1;
  std::vector<double>& q = proportions;
  std::fill(q.begin(), q.end(), 1.0 / k);
  const double threshold = changeThreshold;
  int blocks = kFirstBlockCount;
  int it = 0;
  double previousChange = 1.0, change = 0.0;
  bool stopped = false;
  std::vector<double> start(k), saved(k);
  do {
    if (context.Stopped()) {
      stopped = true;
      break;
    }
    start = q;
    double drift = 0.0;
    if (blocks > 1) {
      for (int b = 0; b < blocks; ++b) {
        const double blockChange = em.Step(b, end, blocks, q);
        ReportAdmixture(++it, blockChange, false, context);
      }
      drift = Distance(q, start);
      const double sweepChange = em.Step(0, end, 1, q);
      ReportAdmixture(++it, sweepChange, false, context);
    }
    change = em.Step(0, end, 1, q);
    // Frequencies of exactly 0 or 1 (taken as they stand from a ".par"
    // calculator) can rule out every genotype of the sample; a full pass
    // that visits nothing would then return 100 for ever.
    if (em.LastStepVisited() == 0) {
      return refuse(
          FileMessage(samplePath, 0, AutosomalMessageText(AutosomalMessage::kNoPossibleGenotype, language), language));
    }
    ReportAdmixture(++it, change, false, context);

    // Fewer blocks once a sweep stops helping: the change grew, it exceeds
    // the drift of the block passes, or convergence at this rate would take
    // more than 150 further iterations.
    const bool shrink = blocks > 1 && (change >= previousChange || change > drift ||
                                       std::trunc((change - threshold) / (previousChange - change)) > 150.0);
    if (blocks == 1 && change < 100.0 * threshold && previousChange > change) {
      const double remaining = std::trunc((change - threshold / 2) / (previousChange - change));
      if (remaining > 100.0) {
        saved = q;
        const double factor = remaining / 20.0;
        double sum = 0.0;
        for (int p = 0; p < k; ++p) {
          // A share pushed below zero stops just above it.
          q[p] = std::max(kExtrapolationFloor, q[p] + (q[p] - start[p]) * factor);
          sum += q[p];
        }
        double extrapolated = change;
        if (sum > 0.0 && std::isfinite(sum)) {
          for (double& share : q) share /= sum;
          extrapolated = em.Step(0, end, 1, q);
        }
        if (extrapolated < change) {
          ++it;
          change = extrapolated;
        } else {
          q = saved;
        }
        ReportAdmixture(it, change, false, context);
      }
    }
    if (shrink) {
      const int step = std::max(1, static_cast<int>(std::trunc((blocks + 2) / 6.0 + 0.5)));
      blocks = std::max(1, blocks - step);
      change = 1.0;
    }
    previousChange = change;
  } while (change > threshold);

  ReportAdmixture(-it, change, true, context);
  if (stopped) return false;
  if (context.beep) context.beep();
  return true;
}

}  // namespace varnik
