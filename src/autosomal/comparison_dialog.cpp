#include "autosomal/comparison_dialog.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "autosomal/admixture_dialog.h"
#include "autosomal/autosomal_messages.h"
#include "common/format.h"
#include "platform/dialog_settings.h"
#include "shell/long_computation.h"
#include "shell/report_note.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

using Row = CPoregjenjeUzoraka::CPodaciOpsega;

constexpr std::size_t kTableBytes = 12 * CPoregjenjeUzoraka::kMaxTableRows;
constexpr std::size_t kSelectionBytes = 4 * CPoregjenjeUzoraka::kMaxSamples;
constexpr int32_t kMaxMinSnps = 10000000;
constexpr double kMaxMinCm = 1000.0;

const char* TableSetting(int mode) {
  return mode == CPoregjenjeUzoraka::kModeComparison ? "PGOpseziRazl" : "PGOpseziIstoga";
}

std::string SlotSetting(int slot) { return Format("PGStazaUzorka%d", slot); }

// The dialog's mode values: 0 genome comparison, 1 relatedness.
int ModeOfDialogValue(uint32_t value) {
  return value == 1 ? CPoregjenjeUzoraka::kModeRelatedness : CPoregjenjeUzoraka::kModeComparison;
}

uint32_t DialogValueOfMode(int mode) { return mode == CPoregjenjeUzoraka::kModeRelatedness ? 1 : 0; }

std::vector<Row>& TableOf(CPoregjenjeUzoraka& data, int mode) {
  return mode == CPoregjenjeUzoraka::kModeComparison ? data.comparisonTable : data.relatednessTable;
}

// Colours stay with the row's place in the default table.
uint32_t DefaultColour(int mode, std::size_t row) {
  const std::vector<Row> defaults = mode == CPoregjenjeUzoraka::kModeComparison
                                        ? CPoregjenjeUzoraka::DefaultComparisonTable()
                                        : CPoregjenjeUzoraka::DefaultRelatednessTable();
  return row < defaults.size() ? defaults[row].colour : defaults.back().colour;
}

// Strongest row first; empty rows (no SNPs) left out.
void NormaliseTable(std::vector<Row>& table, int mode) {
  std::erase_if(table, [](const Row& row) { return row.minSnps <= 0; });
  std::stable_sort(table.begin(), table.end(), [](const Row& a, const Row& b) {
    return a.minSnps != b.minSnps ? a.minSnps > b.minSnps : a.minCm > b.minCm;
  });
  for (std::size_t i = 0; i < table.size(); ++i) table[i].colour = DefaultColour(mode, i);
}

}  // namespace

std::vector<uint8_t> EncodeThresholdTable(const std::vector<Row>& table) {
  std::vector<uint8_t> bytes(kTableBytes, 0);
  for (std::size_t i = 0; i < table.size() && i < static_cast<std::size_t>(CPoregjenjeUzoraka::kMaxTableRows); ++i) {
    const uint32_t snps = static_cast<uint32_t>(table[i].minSnps);
    for (int b = 0; b < 4; ++b) bytes[12 * i + b] = static_cast<uint8_t>(snps >> (8 * b));
    uint64_t cm = 0;
    std::memcpy(&cm, &table[i].minCm, sizeof cm);
    for (int b = 0; b < 8; ++b) bytes[12 * i + 4 + b] = static_cast<uint8_t>(cm >> (8 * b));
  }
  return bytes;
}

bool DecodeThresholdTable(const std::vector<uint8_t>& bytes, std::vector<Row>& table) {
  if (bytes.size() != kTableBytes) return false;
  std::vector<Row> read;
  for (int i = 0; i < CPoregjenjeUzoraka::kMaxTableRows; ++i) {
    uint32_t snps = 0;
    for (int b = 0; b < 4; ++b) snps |= static_cast<uint32_t>(bytes[12 * i + b]) << (8 * b);
    uint64_t bits = 0;
    for (int b = 0; b < 8; ++b) bits |= static_cast<uint64_t>(bytes[12 * i + 4 + b]) << (8 * b);
    double cm = 0.0;
    std::memcpy(&cm, &bits, sizeof cm);
    // Values no dialog could have stored make the whole table unusable.
    if (static_cast<int32_t>(snps) < 0 || static_cast<int32_t>(snps) > kMaxMinSnps || !(cm >= 0.0 && cm <= kMaxMinCm)) {
      return false;
    }
    read.push_back({static_cast<int32_t>(snps), cm, 0});
  }
  table = std::move(read);
  return true;
}

void ComparisonDialog::OnInit(DialogView& view) {
  view.SetCaption(TextById(kTextGenomeComparisonTitle));
  view.SetText(kIdOk, TextById(kTextOk));
  view.SetText(kIdCancel, TextById(kTextCancel));
  view.SetText(kIdComparisonModeGenomes, TextById(kTextComparisonOfGenomes));
  view.SetText(kIdComparisonModeRelatedness, TextById(kTextRelatednessOfParents));
  for (int i = 0; i < CPoregjenjeUzoraka::kMaxSamples; ++i) {
    view.SetText(kIdComparisonSlotLabel + i, Format("%s %d", TextById(kTextGenomeForComparison).c_str(), i + 1));
    view.SetText(kIdComparisonSlotBrowse + i, TextById(kTextChooseFile));
  }
  view.SetText(kIdComparisonMinSnpsLabel, TextById(kTextMinSnpsLabel));
  view.SetText(kIdComparisonMinCmLabel, TextById(kTextMinSegmentCmLabel));
  view.SetText(kIdComparisonChromosomeLabel, TextById(kTextChromosomeNumber));
  view.SetText(kIdComparisonWindowOnly, TextById(kTextCompareOnSegment));
  view.SetText(kIdComparisonFromLabel, TextById(kTextFrom));
  view.SetText(kIdComparisonToLabel, TextById(kTextTo));
  view.SetText(kIdComparisonBasePairsLabel, TextById(kTextBasePairs));
  view.SetText(kIdComparisonMarkTooShort, TextById(kTextMarkTooShortSegments));
  view.SetText(kIdComparisonMarkUncomparable, TextById(kTextMarkUncomparableSegments));

  ReadSettings(view);
  mode_ = data_.mode;
  view.SetChecked(kIdComparisonModeGenomes, mode_ == CPoregjenjeUzoraka::kModeComparison);
  view.SetChecked(kIdComparisonModeRelatedness, mode_ == CPoregjenjeUzoraka::kModeRelatedness);
  ShowTable(view);
  chromosome_ = data_.chromosomeNumber;
  view.SetText(kIdComparisonChromosome, Format("%d", data_.chromosomeNumber));
  view.SetChecked(kIdComparisonWindowOnly, data_.segmentOnly != 0);
  view.SetText(kIdComparisonWindowStart, Format("%d", data_.segmentStart));
  view.SetText(kIdComparisonWindowEnd, Format("%d", data_.segmentEnd));
  view.SetChecked(kIdComparisonMarkTooShort, data_.markTooShort != 0);
  view.SetChecked(kIdComparisonMarkUncomparable, data_.markUncomparable != 0);
  EnableWindowControls(view);
  view.SetFocus(kIdOk);
}

void ComparisonDialog::ReadSettings(DialogView& view) {
  if (!settings_.KeyExists()) return;
  uint32_t number = 0;
  if (ReadSettingNumber(settings_, "PGPostupakPoregjenja", number)) data_.mode = ModeOfDialogValue(number);
  std::vector<bool> selected(CPoregjenjeUzoraka::kMaxSamples, false);
  ReadSettingFlags(settings_, "PGOdabraniUzorci", selected);
  for (int i = 0; i < CPoregjenjeUzoraka::kMaxSamples; ++i) {
    std::string path;
    if (ReadSettingText(settings_, SlotSetting(i), path)) view.SetText(kIdComparisonSlotPath + i, path);
    view.SetChecked(kIdComparisonSlotCheck + i, selected[i]);
  }
  // The tables come from the settings once per process; later openings
  // show what this process last used.
  if (!data_.tablesRead) {
    data_.tablesRead = true;
    for (int mode : {CPoregjenjeUzoraka::kModeComparison, CPoregjenjeUzoraka::kModeRelatedness}) {
      std::vector<uint8_t> bytes;
      std::vector<Row> table;
      if (ReadSettingBinary(settings_, TableSetting(mode), kTableBytes, bytes) && DecodeThresholdTable(bytes, table)) {
        NormaliseTable(table, mode);
        if (!table.empty()) TableOf(data_, mode) = table;
      }
    }
  }
  ReadSettingSignedInRange(settings_, "PGBrojHromozoma", 0, kMaxChromosomeNumber, data_.chromosomeNumber);
  if (ReadSettingNumber(settings_, "PGProracunOds", number)) data_.segmentOnly = number != 0 ? 1 : 0;
  ReadSettingSignedInRange(settings_, "PGPocDelaHrom", 0, kMaxWindowBasePairs, data_.segmentStart);
  ReadSettingSignedInRange(settings_, "PGKrajDelaHrom", 0, kMaxWindowBasePairs, data_.segmentEnd);
  if (ReadSettingNumber(settings_, "PGCrtPrekrat", number)) data_.markTooShort = number != 0 ? 1 : 0;
  if (ReadSettingNumber(settings_, "PGOznacNeupored", number)) data_.markUncomparable = number != 0 ? 1 : 0;
}

void ComparisonDialog::ShowTable(DialogView& view) {
  const std::vector<Row>& table = TableOf(data_, mode_);
  for (int i = 0; i < CPoregjenjeUzoraka::kMaxTableRows; ++i) {
    const bool row = i < static_cast<int>(table.size());
    view.SetText(kIdComparisonMinSnps + i, row ? Format("%d", table[i].minSnps) : "0");
    view.SetText(kIdComparisonMinCm + i, row ? Format("%.2f", table[i].minCm) : "0");
  }
}

void ComparisonDialog::TakeTable(DialogView& view) {
  std::vector<Row>& table = TableOf(data_, mode_);
  std::vector<Row> read;
  for (int i = 0; i < CPoregjenjeUzoraka::kMaxTableRows; ++i) {
    const int32_t current = i < static_cast<int>(table.size()) ? table[i].minSnps : 0;
    Row row;
    row.minSnps = ReadClamped(view, kIdComparisonMinSnps + i, 0, kMaxMinSnps, current);
    row.minCm = i < static_cast<int>(table.size()) ? table[i].minCm : 0.0;
    double cm = 0.0;
    if (ScanDouble(view.GetText(kIdComparisonMinCm + i), cm)) row.minCm = std::clamp(cm, 0.0, kMaxMinCm);
    read.push_back(row);
  }
  NormaliseTable(read, mode_);
  // A table left without rows keeps the one it had.
  if (!read.empty()) table = std::move(read);
}

void ComparisonDialog::EnableWindowControls(DialogView& view) {
  const bool chromosome = chromosome_ > 0;
  const bool window = chromosome && view.IsChecked(kIdComparisonWindowOnly);
  view.Enable(kIdComparisonWindowOnly, chromosome);
  view.Enable(kIdComparisonWindowStart, window);
  view.Enable(kIdComparisonWindowEnd, window);
}

void ComparisonDialog::OnCommand(DialogView& view, int id, int notification) {
  if (id >= kIdComparisonSlotBrowse && id < kIdComparisonSlotBrowse + CPoregjenjeUzoraka::kMaxSamples) {
    const int edit = kIdComparisonSlotPath + (id - kIdComparisonSlotBrowse);
    const std::optional<std::string> path =
        files_.OpenFile(TextById(kTextGenomeForComparison), kGenotypeFileFilter, view.GetText(edit));
    if (path) {
      view.SetText(edit, *path);
      view.SetChecked(kIdComparisonSlotCheck + (id - kIdComparisonSlotBrowse), true);
    }
    return;
  }
  switch (id) {
    case kIdOk:
      Accept(view);
      break;
    case kIdCancel:
      view.EndDialog(kIdCancel);
      break;
    case kIdComparisonModeGenomes:
    case kIdComparisonModeRelatedness: {
      const int mode = id == kIdComparisonModeRelatedness ? CPoregjenjeUzoraka::kModeRelatedness
                                                          : CPoregjenjeUzoraka::kModeComparison;
      view.SetChecked(kIdComparisonModeGenomes, mode == CPoregjenjeUzoraka::kModeComparison);
      view.SetChecked(kIdComparisonModeRelatedness, mode == CPoregjenjeUzoraka::kModeRelatedness);
      if (mode != mode_) {
        TakeTable(view);
        mode_ = mode;
        ShowTable(view);
      }
      break;
    }
    case kIdComparisonChromosome:
      if (notification == kNotifyKillFocus) {
        chromosome_ = TakeChromosomeBox(view, kIdComparisonChromosome, chromosome_);
        EnableWindowControls(view);
      }
      break;
    case kIdComparisonWindowOnly:
      if (notification == kNotifyClicked) EnableWindowControls(view);
      break;
    default:
      break;
  }
}

void ComparisonDialog::Accept(DialogView& view) {
  TakeTable(view);
  data_.mode = mode_;
  data_.chromosomeNumber = ReadClamped(view, kIdComparisonChromosome, 0, kMaxChromosomeNumber, chromosome_);
  data_.segmentOnly = data_.chromosomeNumber > 0 && view.IsChecked(kIdComparisonWindowOnly) ? 1 : 0;
  if (data_.segmentOnly != 0) {
    data_.segmentStart = ReadClamped(view, kIdComparisonWindowStart, 0, kMaxWindowBasePairs, data_.segmentStart);
    data_.segmentEnd = ReadClamped(view, kIdComparisonWindowEnd, 0, kMaxWindowBasePairs, data_.segmentEnd);
  }
  data_.markTooShort = view.IsChecked(kIdComparisonMarkTooShort) ? 1 : 0;
  data_.markUncomparable = view.IsChecked(kIdComparisonMarkUncomparable) ? 1 : 0;
  data_.samplePaths.clear();
  std::vector<uint8_t> selection(kSelectionBytes, 0);
  for (int i = 0; i < CPoregjenjeUzoraka::kMaxSamples; ++i) {
    const std::string path = view.GetText(kIdComparisonSlotPath + i);
    const bool selected = view.IsChecked(kIdComparisonSlotCheck + i);
    selection[4 * i] = selected ? 1 : 0;
    WriteSettingText(settings_, SlotSetting(i), path);
    if (selected && !path.empty()) data_.samplePaths.push_back(path);
  }
  WriteSettingNumber(settings_, "PGPostupakPoregjenja", DialogValueOfMode(data_.mode));
  WriteSettingBinary(settings_, "PGOdabraniUzorci", selection);
  WriteSettingBinary(settings_, TableSetting(CPoregjenjeUzoraka::kModeComparison),
                     EncodeThresholdTable(data_.comparisonTable));
  WriteSettingBinary(settings_, TableSetting(CPoregjenjeUzoraka::kModeRelatedness),
                     EncodeThresholdTable(data_.relatednessTable));
  WriteSettingNumber(settings_, "PGBrojHromozoma", static_cast<uint32_t>(data_.chromosomeNumber));
  WriteSettingNumber(settings_, "PGProracunOds", static_cast<uint32_t>(data_.segmentOnly));
  WriteSettingNumber(settings_, "PGPocDelaHrom", static_cast<uint32_t>(data_.segmentStart));
  WriteSettingNumber(settings_, "PGKrajDelaHrom", static_cast<uint32_t>(data_.segmentEnd));
  WriteSettingNumber(settings_, "PGCrtPrekrat", static_cast<uint32_t>(data_.markTooShort));
  WriteSettingNumber(settings_, "PGOznacNeupored", static_cast<uint32_t>(data_.markUncomparable));
  view.EndDialog(kIdOk);
}

void OpenGenomeComparison(const ComparisonServices& services) {
  ComparisonDialog dialog(services.settings, services.files);
  if (services.dialogs.RunModal(ComparisonTemplate(), dialog) != kIdOk) return;
  CPoregjenjeUzoraka& data = g_genomeComparison;
  const std::size_t fewest = data.mode == CPoregjenjeUzoraka::kModeComparison ? 2 : 1;
  if (data.samplePaths.size() < fewest) {
    services.messages.Show(AutosomalMessageText(AutosomalMessage::kTooFewGenomes, -1),
                           TextById(kTextGenomeComparisonTitle), kMbIconInformation);
    data.samplePaths.clear();
    return;
  }

  // The worker loads and compares on its own object; the interface thread
  // never sees it half-filled.  The old results go at once.
  data.results.clear();
  data.samples.clear();
  data.drawCache = CPoregjenjeUzoraka::ColumnCache();
  auto work = std::make_shared<CPoregjenjeUzoraka>();
  work->CopySettingsFrom(data);
  auto failure = std::make_shared<std::string>();
  UiThread* ui = &services.ui;
  ComputationLauncher launcher(services.dialogs, services.ui, services.threads, services.messages);
  MessageBoxes* messages = &services.messages;
  const std::function<void()> repaint = services.repaintMainWindow;
  // Where the report goes is settled here; a report that cannot go beside
  // the program is named when the run has written it.
  const ReportLocation report = ComparisonReportFile();
  auto written = std::make_shared<bool>(false);
  launcher.StartGenomeComparison(
      services.mainWindow,
      [work, failure, ui, report, written](std::atomic<int>& stop, ProgressSink& progress) {
        AdmixtureRunContext context;
        context.stop = &stop;
        context.progress = &progress;
        int error = 0;
        const bool done = work->RunGenomeComparison(work->mode, work->samplePaths, error, context, report.path) == 1;
        *written = done && work->reportWritten;
        if (done && !work->reportWritten) {
          *failure =
              Format(AutosomalMessageText(AutosomalMessage::kReportNotWritten, context.language), report.path.c_str());
        }
        if (!done && error != CPoregjenjeUzoraka::kErrorStopped) *failure = work->lastError;
        ui->Post([work] { g_genomeComparison = std::move(*work); });
        return done;
      },
      [failure, messages, repaint, report, written] {
        g_genomeComparison.samplePaths.clear();
        if (repaint) repaint();
        if (!failure->empty()) messages->Show(*failure, TextById(kTextGenomeComparisonTitle), kMbIconError);
        // A sample on another genome build: the run went on, placed by name.
        if (failure->empty() && !g_genomeComparison.runNotice.empty()) {
          messages->Show(g_genomeComparison.runNotice, TextById(kTextGenomeComparisonTitle), kMbIconWarning);
        }
        if (*written && report.userFolder) {
          messages->Show(ReportNote(report), TextById(kTextGenomeComparisonTitle), kMbIconInformation);
        }
      });
}

}  // namespace varnik
