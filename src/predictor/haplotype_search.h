// The haplotype search (template 137): the user types one haplotype, sets
// how close a collection sample must be and which marker values it must
// have, chooses the collections (template 140) and reads the closest
// samples, found and ranked by the process-wide comparison engine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog.h"
#include "platform/settings_store.h"
#include "platform/ui_services.h"
#include "predictor/collection_compare.h"

namespace varnik {

inline constexpr int kHaplotypeSearchTemplate = 137;
inline constexpr int kCollectionChooserTemplate = 140;

// Controls of template 137.
inline constexpr int kIdSearchResults = 1020;
inline constexpr int kIdSearchInput = 1021;
inline constexpr int kIdSearchInputLabel = 1022;
inline constexpr int kIdSearchResultsLabel = 1023;
inline constexpr int kIdSearchManual = 1024;
inline constexpr int kIdSearchTemplate17 = 1025;
inline constexpr int kIdChooseCollections = 1026;
inline constexpr int kIdSearchOrder = 1052;
inline constexpr int kIdMinCommon = 1053;
inline constexpr int kIdMinCommonLabel = 1054;
inline constexpr int kIdMaxDiffLabel = 1055;
inline constexpr int kIdMaxDiff = 1056;
inline constexpr int kIdMaxShownLabel = 1057;
inline constexpr int kIdMaxShown = 1058;
inline constexpr int kIdSettingsGroup = 1071;
inline constexpr int kIdConstraintsGroup = 1072;
inline constexpr int kIdRanking = 1073;
inline constexpr int kConstraintRows = 6;
// Drop list (marker) and edit (range) of each constraint row.
inline constexpr int kIdConstraintColumn[kConstraintRows] = {1060, 1061, 1063, 1065, 1067, 1069};
inline constexpr int kIdConstraintRange[kConstraintRows] = {1059, 1062, 1064, 1066, 1068, 1070};
// Check boxes of template 140, one per collection in list order; buttons
// 3 (all on) and 4 (all off).
inline constexpr int kIdCollectionBox0 = 1082;
inline constexpr int kIdAllOn = 3;
inline constexpr int kIdAllOff = 4;

const DialogTemplate& HaplotypeSearchTemplate();
const DialogTemplate& CollectionChooserTemplate();

// What the Search button does after the settings are stored: reads `input`
// (at most 4999 characters, line ends as separators) in input order
// `order` (0 FTDNA, 1..5 the panels of the predictor's list), with commas as
// separators in FTDNA order or with `commaMode`, and runs the search.
// False, with `output` the message (text 170 or 252), when the input cannot
// be read.  `haplotype` receives the haplotype searched for.
bool SearchCollections(CPoregjenjeHaplovrst& engine, std::string_view input, int32_t order, int32_t language,
                       bool commaMode, std::string& output, Haplotype& haplotype);

// The user manual of the dialog in the interface language.
std::string HaplotypeSearchManual(int32_t language);

class CPretragaHaplovrstDialog : public DialogLogic {
 public:
  // `language` -1 takes g_language when the dialog opens.
  CPretragaHaplovrstDialog(DialogHost& host, SettingsStore& settings, CPoregjenjeHaplovrst& engine,
                           WaitCursor* cursor = nullptr, int32_t language = -1);

  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id, int notification) override;

  const Haplotype& haplotype() const { return haplotype_; }

 private:
  void CommitSetting(DialogView& view, int id);
  void ShowSetting(DialogView& view, int id);
  void CommitRange(DialogView& view, int row);
  void Search(DialogView& view);

  DialogHost& host_;
  SettingsStore& settings_;
  CPoregjenjeHaplovrst& engine_;
  WaitCursor* cursor_;
  int32_t language_;
  Haplotype haplotype_;
};

class CIzborZbirkiDialog : public DialogLogic {
 public:
  CIzborZbirkiDialog(std::vector<bool>& selection, int32_t language) : selection_(selection), language_(language) {}
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id, int notification) override;

 private:
  std::vector<bool>& selection_;
  int32_t language_;
};

// Template 140 over the engine's collection flags; OK stores the boxes.
void RunCollectionChooser(DialogHost& host, std::vector<bool>& selection, int32_t language = -1);

// The haplotype search over g_poregjenjeHaplovrst, opened from the main menu.
void RunHaplotypeSearchDialog(DialogHost& host, SettingsStore& settings, WaitCursor* cursor = nullptr);

}  // namespace varnik
