// The haplogroup predictor dialog (template 132): a typed or pasted
// haplotype, or one per line for a batch, predicted with one of the four
// shipped models; ranked branches in the result box, batch results also in
// a report file; a table of the typed values against the chosen branch.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/settings_store.h"
#include "platform/ui_services.h"
#include "predictor/collection_search_settings.h"
#include "predictor/shipped_models.h"
#include "ystr/str_value.h"

namespace varnik {

inline constexpr int kPredictorTemplate = 132;
inline constexpr int kOpenPredictorCommand = 32823;

// Control ids of template 132; buttons 1 (Calculate, the default button),
// 2 (Exit), 3 (Most frequent values) and 4 (Batch calculate).
inline constexpr int kIdMostFrequent = 3;
inline constexpr int kIdBatch = 4;
inline constexpr int kIdPredictorResults = 1020;
inline constexpr int kIdPredictorInput = 1021;
inline constexpr int kIdInputLabel = 1022;
inline constexpr int kIdResultsLabel = 1023;
inline constexpr int kIdManual = 1024;
inline constexpr int kIdTemplate17 = 1025;
inline constexpr int kIdKnownSnpLabel = 1026;
inline constexpr int kIdCompareHaplotypes = 1028;
inline constexpr int kIdValueTable = 1050;
inline constexpr int kIdResultBranches = 1051;
inline constexpr int kIdInputOrder = 1052;
inline constexpr int kIdPredictorChoice = 1054;
inline constexpr int kIdCompleteness = 1055;
inline constexpr int kIdKnownSnp = 1056;

const DialogTemplate& PredictorTemplate();

class CPredvigjacDialog : public DialogLogic {
 public:
  // `language` -1 takes g_language when the dialog opens.
  CPredvigjacDialog(const PredictorModels& models, SettingsStore& settings, WaitCursor* cursor = nullptr,
                    int32_t language = -1);

  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id, int notification) override;
  void OnDrawItem(int id, Canvas& canvas, const Rect& rect) override;

  // Predicts the input (every line with `batch`) restricted to SNP node
  // `knownSnp` (-1 none) and shows the results.
  void PredictAll(DialogView& view, bool batch, int32_t knownSnp);
  // Refills the known-SNP list from the current model.
  void FillKnownSnpList(DialogView& view);

  int32_t predictorIndex() const { return predictorIndex_; }
  const Haplotype& currentHaplotype() const { return currentHaplotype_; }
  const std::vector<int32_t>& resultBranches() const { return resultBranches_; }
  bool compareHaplotypes() const { return compareHaplotypes_; }
  const CPostavkePretrage& searchSettings() const { return search_; }

 private:
  const CPredvigjacMuskihLoz2& Model() const { return models_[static_cast<std::size_t>(predictorIndex_)]; }
  void ClearResults();
  void MostFrequent(DialogView& view);
  int32_t KnownSnp(DialogView& view) const;

  const PredictorModels& models_;
  SettingsStore& settings_;
  WaitCursor* cursor_;
  int32_t language_;
  int32_t predictorIndex_ = 0;
  Haplotype currentHaplotype_;
  std::vector<int32_t> resultBranches_;
  bool compareHaplotypes_ = false;
  CPostavkePretrage search_;
  // What the value table shows: the selection of list 1051, the SNP the
  // results were restricted to and the completeness choice.
  int branchSelection_ = -1;
  int32_t shownKnownSnp_ = -1;
  int completeness_ = 0;
};

// Menu command 32823: loads the four models from the program folder and
// runs the dialog; does nothing when a model cannot be loaded.
void OpenPredictor(DialogHost& host, SettingsStore& settings, WaitCursor* cursor = nullptr);

}  // namespace varnik
