// The admixture dialog (template 135): the sample's raw genotype file, the
// calculator, the change limit, the chromosome and base-pair window, and
// whether the result list is sorted.  After OK the calculation runs on the
// worker behind the progress dialog (template 136), which shows the loading
// progress, the iterations and the shares.
#pragma once

#include <cstdint>
#include <functional>

#include "autosomal/autosomal_state.h"
#include "platform/dialog.h"
#include "platform/settings_store.h"
#include "platform/threads.h"
#include "platform/ui_services.h"
#include "shell/long_computation.h"

namespace varnik {

inline constexpr int kAdmixtureTemplateId = 135;

// What the browse buttons of the autosomal tools offer: raw genotype files
// as the companies hand them out, also zipped or gzipped, and calculators.
inline constexpr const char* kGenotypeFileFilter = "*.csv;*.txt;*.zip;*.gz;*.";
inline constexpr const char* kCalculatorFileFilter = "*.par;*.txt;*.";

// Controls of template 135.
enum AdmixtureControlId : int {
  kIdAdmixtureSamplePath = 1029,
  kIdAdmixtureSampleBrowse = 1030,
  kIdAdmixtureSampleLabel = 1031,
  kIdAdmixtureCalculatorLabel = 1032,
  kIdAdmixtureCalculatorPath = 1033,
  kIdAdmixtureCalculatorBrowse = 1034,
  kIdAdmixtureChromosomeLabel = 1037,
  kIdAdmixtureChromosome = 1042,
  kIdAdmixtureWindowStart = 1043,
  kIdAdmixtureFromLabel = 1044,
  kIdAdmixtureWindowEnd = 1045,
  kIdAdmixtureToLabel = 1046,
  kIdAdmixtureThresholdLabel = 1047,
  kIdAdmixtureThreshold = 1048,
  kIdAdmixtureBasePairsLabel = 1049,
  kIdAdmixtureWindowOnly = 1052,
  kIdAdmixtureSort = 1097,
};

const DialogTemplate& AdmixtureTemplate();

// Ranges of the dialog's numbers.
inline constexpr double kMinChangeThreshold = 1e-10;
inline constexpr double kMaxChangeThreshold = 1e-4;
inline constexpr int32_t kMaxChromosomeNumber = 22;
inline constexpr int32_t kMaxWindowBasePairs = 300000000;

// Shared by the admixture and painting dialogs, whose input controls have
// the same ids.
//
// The box's number clamped into [low, high], or `current` when the box
// holds no number.
int32_t ReadClamped(DialogView& view, int id, int32_t low, int32_t high, int32_t current);
// The chromosome box `id` read by the chromosome rule (0 to 22, else
// `current`) and written back as a number.
int32_t TakeChromosomeBox(DialogView& view, int id, int32_t current);
// The stored paths into their boxes, and the chromosome and base-pair
// window into `data`; `withWindow` runs when the window was read.
void ReadInputSettings(SettingsStore& settings, DialogView& view, CProracunPoreklaOdsecaka& data,
                       const std::function<void()>& withWindow = {});
// The window check box is enabled with a chromosome, the window's edits
// (and `followsWindow`, when not 0) while it is checked.
void EnableWindowControls(DialogView& view, int32_t chromosome, int followsWindow = 0);
// Takes the paths, chromosome and window from the boxes into `data` and
// the settings; returns whether the window was read.
bool AcceptInputs(SettingsStore& settings, DialogView& view, CProracunPoreklaOdsecaka& data, int32_t chromosome);
// Lets the user pick a file for `edit`; returns whether one was picked.
bool BrowseInto(FileDialog& files, DialogView& view, int edit, int title, const char* filter);

class AdmixtureDialog : public DialogLogic {
 public:
  AdmixtureDialog(SettingsStore& settings, FileDialog& files, CProracunPoreklaOdsecaka& data = g_chromosomePainting,
                  int32_t& sortResults = g_sortAdmixtureResults)
      : settings_(settings), files_(files), data_(data), sortResults_(sortResults) {}

  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id, int notification) override;

 private:
  void ReadSettings(DialogView& view);
  void EnableWindowControls(DialogView& view);
  void Browse(DialogView& view, int edit, int title, const char* filter);
  void Accept(DialogView& view);

  SettingsStore& settings_;
  FileDialog& files_;
  CProracunPoreklaOdsecaka& data_;
  int32_t& sortResults_;
  // The chromosome as the dialog shows it; the data takes it on OK.
  int32_t chromosome_ = 0;
};

// What an admixture run needs besides the dialog.
struct AdmixtureServices {
  DialogHost& dialogs;
  FileDialog& files;
  SettingsStore& settings;
  MessageBoxes& messages;
  Beeper& beeper;
  UiThread& ui;
  ThreadStarter& threads;
  OwnerWindow& mainWindow;
};

// Menu command 32828: runs the dialog and, after OK, the calculation on
// the worker.  The worker computes on its own copy of the data, which
// replaces g_chromosomePainting on the interface thread when it ends.
void OpenAdmixture(const AdmixtureServices& services);

}  // namespace varnik
