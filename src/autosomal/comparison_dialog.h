// The dialog of the genome comparison and parents' relatedness (template
// 139): the mode, six genome slots, the threshold table of the mode, the
// chromosome and base-pair window, and the two marking options.  After OK
// the comparison runs on the worker behind the progress dialog, and the
// main window draws its result.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "autosomal/genome_comparison.h"
#include "platform/dialog.h"
#include "platform/settings_store.h"
#include "platform/threads.h"
#include "platform/ui_services.h"

namespace varnik {

inline constexpr int kComparisonTemplateId = 139;

// Controls of template 139.  Slot i (0 to 5) and threshold row i add i.
enum ComparisonControlId : int {
  kIdComparisonMarkTooShort = 1060,
  kIdComparisonMarkUncomparable = 1061,
  kIdComparisonModeGenomes = 1080,
  kIdComparisonModeRelatedness = 1081,
  kIdComparisonSlotLabel = 1100,
  kIdComparisonSlotCheck = 1110,
  kIdComparisonSlotPath = 1120,
  kIdComparisonSlotBrowse = 1130,
  kIdComparisonMinSnpsLabel = 1140,
  kIdComparisonMinCmLabel = 1141,
  kIdComparisonMinSnps = 1150,
  kIdComparisonMinCm = 1160,
  kIdComparisonChromosomeLabel = 1170,
  kIdComparisonChromosome = 1171,
  kIdComparisonWindowOnly = 1172,
  kIdComparisonFromLabel = 1173,
  kIdComparisonWindowStart = 1174,
  kIdComparisonToLabel = 1175,
  kIdComparisonWindowEnd = 1176,
  kIdComparisonBasePairsLabel = 1177,
};

const DialogTemplate& ComparisonTemplate();

// Threshold tables in the settings: six pairs of a 32-bit SNP count and a
// double in cM, little-endian, 72 bytes; pairs with 0 SNPs are empty rows.
std::vector<uint8_t> EncodeThresholdTable(const std::vector<CPoregjenjeUzoraka::CPodaciOpsega>& table);
// Fails on another size; keeps the colours of `table` by row.
bool DecodeThresholdTable(const std::vector<uint8_t>& bytes, std::vector<CPoregjenjeUzoraka::CPodaciOpsega>& table);

class ComparisonDialog : public DialogLogic {
 public:
  ComparisonDialog(SettingsStore& settings, FileDialog& files, CPoregjenjeUzoraka& data = g_genomeComparison)
      : settings_(settings), files_(files), data_(data) {}

  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id, int notification) override;

 private:
  void ReadSettings(DialogView& view);
  void ShowTable(DialogView& view);
  void TakeTable(DialogView& view);
  void EnableWindowControls(DialogView& view);
  void Accept(DialogView& view);

  SettingsStore& settings_;
  FileDialog& files_;
  CPoregjenjeUzoraka& data_;
  int32_t chromosome_ = 0;
  int mode_ = CPoregjenjeUzoraka::kModeComparison;  // the table shown
};

struct ComparisonServices {
  DialogHost& dialogs;
  FileDialog& files;
  SettingsStore& settings;
  MessageBoxes& messages;
  UiThread& ui;
  ThreadStarter& threads;
  OwnerWindow& mainWindow;
  std::function<void()> repaintMainWindow;
};

// Menu command 32836: the dialog and, after OK, the run on the worker.  The
// worker loads and compares on its own object, which replaces
// g_genomeComparison on the interface thread before the end step.  A
// failed run says why in a message box.
void OpenGenomeComparison(const ComparisonServices& services);

}  // namespace varnik
