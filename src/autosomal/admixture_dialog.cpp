#include "autosomal/admixture_dialog.h"

#include <algorithm>
#include <memory>

#include "common/format.h"
#include "platform/dialog_settings.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

constexpr const char* kSampleFilter = "*.csv;*.txt;*.";
constexpr const char* kCalculatorFilter = "*.par;*.txt;*.";

// A whole number as a C "%d" read takes it from an edit box, saturated far
// outside every range of the dialog so that clamping still applies.
bool ReadBoxInt(std::string_view text, int64_t& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
  int64_t read = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    read = std::min<int64_t>(read * 10 + (text[i] - '0'), int64_t{1} << 40);
  }
  value = negative ? -read : read;
  return true;
}

}  // namespace

int32_t ReadClamped(DialogView& view, int id, int32_t low, int32_t high, int32_t current) {
  int64_t value = 0;
  if (!ReadBoxInt(view.GetText(id), value)) return current;
  return static_cast<int32_t>(std::clamp<int64_t>(value, low, high));
}

void AdmixtureDialog::OnInit(DialogView& view) {
  view.SetCaption(TextById(kTextAdmixtureCalculator));
  view.SetText(kIdOk, TextById(kTextOk));
  view.SetText(kIdCancel, TextById(kTextCancel));
  view.SetText(kIdAdmixtureSampleLabel, TextById(kTextSampleGenomeFile));
  view.SetText(kIdAdmixtureSampleBrowse, TextById(kTextChooseFile));
  view.SetText(kIdAdmixtureCalculatorLabel, TextById(kTextCalculatorFile));
  view.SetText(kIdAdmixtureCalculatorBrowse, TextById(kTextChooseFile));
  view.SetText(kIdAdmixtureThresholdLabel, TextById(kTextChangeLimit));
  view.SetText(kIdAdmixtureChromosomeLabel, TextById(kTextChromosomeNumber));
  view.SetText(kIdAdmixtureWindowOnly, TextById(kTextCalculateOnSegment));
  view.SetText(kIdAdmixtureFromLabel, TextById(kTextFrom));
  view.SetText(kIdAdmixtureToLabel, TextById(kTextTo));
  view.SetText(kIdAdmixtureBasePairsLabel, TextById(kTextBasePairs));
  view.SetText(kIdAdmixtureSort, TextById(kTextSortResults));

  ReadSettings(view);
  chromosome_ = data_.chromosomeNumber;
  view.SetText(kIdAdmixtureChromosome, Format("%d", data_.chromosomeNumber));
  view.SetText(kIdAdmixtureThreshold, Format("%.2e", data_.changeThreshold));
  view.SetChecked(kIdAdmixtureWindowOnly, data_.segmentOnly != 0);
  view.SetText(kIdAdmixtureWindowStart, Format("%d", data_.segmentStart));
  view.SetText(kIdAdmixtureWindowEnd, Format("%d", data_.segmentEnd));
  view.SetChecked(kIdAdmixtureSort, sortResults_ != 0);
  EnableWindowControls(view);
  view.SetFocus(kIdOk);
}

void AdmixtureDialog::ReadSettings(DialogView& view) {
  if (!settings_.KeyExists()) return;
  std::string path;
  if (ReadSettingText(settings_, "StazaUzorka", path)) view.SetText(kIdAdmixtureSamplePath, path);
  if (ReadSettingText(settings_, "StazaRacunaca", path)) view.SetText(kIdAdmixtureCalculatorPath, path);
  ReadSettingDoubleInRange(settings_, "GranicaPromene", kMinChangeThreshold, kMaxChangeThreshold,
                           data_.changeThreshold);
  uint32_t sort = 0;
  if (ReadSettingNumber(settings_, "UreditiIshode", sort)) sortResults_ = sort != 0 ? 1 : 0;
  // Stored numbers outside the dialog's ranges are not taken.
  ReadSettingSignedInRange(settings_, "BrojHromozoma", 0, kMaxChromosomeNumber, data_.chromosomeNumber);
  if (data_.chromosomeNumber <= 0) return;
  uint32_t windowOnly = 0;
  if (ReadSettingNumber(settings_, "ProracunOds", windowOnly)) data_.segmentOnly = windowOnly != 0 ? 1 : 0;
  if (data_.segmentOnly == 0) return;
  ReadSettingSignedInRange(settings_, "PocDelaHrom", 0, kMaxWindowBasePairs, data_.segmentStart);
  ReadSettingSignedInRange(settings_, "KrajDelaHrom", 0, kMaxWindowBasePairs, data_.segmentEnd);
}

void AdmixtureDialog::EnableWindowControls(DialogView& view) {
  const bool chromosome = chromosome_ > 0;
  const bool window = chromosome && view.IsChecked(kIdAdmixtureWindowOnly);
  view.Enable(kIdAdmixtureWindowOnly, chromosome);
  view.Enable(kIdAdmixtureWindowStart, window);
  view.Enable(kIdAdmixtureWindowEnd, window);
}

void AdmixtureDialog::OnCommand(DialogView& view, int id, int notification) {
  switch (id) {
    case kIdOk:
      Accept(view);
      break;
    case kIdCancel:
      view.EndDialog(kIdCancel);
      break;
    case kIdAdmixtureSampleBrowse:
      Browse(view, kIdAdmixtureSamplePath, kTextSampleGenomeFile, kSampleFilter);
      break;
    case kIdAdmixtureCalculatorBrowse:
      Browse(view, kIdAdmixtureCalculatorPath, kTextCalculatorFile, kCalculatorFilter);
      break;
    case kIdAdmixtureChromosome:
      if (notification == kNotifyKillFocus) {
        chromosome_ = ReadClamped(view, kIdAdmixtureChromosome, 0, kMaxChromosomeNumber, chromosome_);
        view.SetText(kIdAdmixtureChromosome, Format("%d", chromosome_));
        EnableWindowControls(view);
      }
      break;
    case kIdAdmixtureWindowOnly:
      if (notification == kNotifyClicked) EnableWindowControls(view);
      break;
    default:
      break;
  }
}

void AdmixtureDialog::Browse(DialogView& view, int edit, int title, const char* filter) {
  const std::optional<std::string> path = files_.OpenFile(TextById(title), filter, view.GetText(edit));
  if (path) view.SetText(edit, *path);
}

void AdmixtureDialog::Accept(DialogView& view) {
  data_.samplePath = view.GetText(kIdAdmixtureSamplePath);
  data_.calculatorPath = view.GetText(kIdAdmixtureCalculatorPath);
  double threshold = 0;
  if (ScanDouble(view.GetText(kIdAdmixtureThreshold), threshold)) {
    data_.changeThreshold = std::clamp(threshold, kMinChangeThreshold, kMaxChangeThreshold);
  }
  data_.chromosomeNumber = ReadClamped(view, kIdAdmixtureChromosome, 0, kMaxChromosomeNumber, chromosome_);
  const bool chromosome = data_.chromosomeNumber > 0;
  bool windowRead = false;
  if (chromosome) {
    data_.segmentOnly = view.IsChecked(kIdAdmixtureWindowOnly) ? 1 : 0;
    if (data_.segmentOnly != 0) {
      data_.segmentStart = ReadClamped(view, kIdAdmixtureWindowStart, 0, kMaxWindowBasePairs, data_.segmentStart);
      data_.segmentEnd = ReadClamped(view, kIdAdmixtureWindowEnd, 0, kMaxWindowBasePairs, data_.segmentEnd);
      windowRead = true;
    }
  }
  sortResults_ = view.IsChecked(kIdAdmixtureSort) ? 1 : 0;

  WriteSettingDouble(settings_, "GranicaPromene", data_.changeThreshold);
  WriteSettingText(settings_, "StazaUzorka", data_.samplePath);
  WriteSettingText(settings_, "StazaRacunaca", data_.calculatorPath);
  WriteSettingNumber(settings_, "UreditiIshode", static_cast<uint32_t>(sortResults_));
  WriteSettingNumber(settings_, "BrojHromozoma", static_cast<uint32_t>(data_.chromosomeNumber));
  if (chromosome) WriteSettingNumber(settings_, "ProracunOds", static_cast<uint32_t>(data_.segmentOnly));
  if (windowRead) {
    WriteSettingNumber(settings_, "PocDelaHrom", static_cast<uint32_t>(data_.segmentStart));
    WriteSettingNumber(settings_, "KrajDelaHrom", static_cast<uint32_t>(data_.segmentEnd));
  }
  view.EndDialog(kIdOk);
}

void OpenAdmixture(const AdmixtureServices& services) {
  AdmixtureDialog dialog(services.settings, services.files);
  if (services.dialogs.RunModal(AdmixtureTemplate(), dialog) != kIdOk) return;

  // The worker loads and computes on its own object; the interface thread
  // never sees it half-filled.  A run clears any painting at once.
  g_chromosomePainting.paintingReady = 0;
  auto work = std::make_shared<CProracunPoreklaOdsecaka>();
  work->CopySettingsFrom(g_chromosomePainting);
  work->proportions = g_chromosomePainting.proportions;
  const bool sorted = g_sortAdmixtureResults != 0;
  UiThread* ui = &services.ui;
  MessageBoxes* messages = &services.messages;
  Beeper* beeper = &services.beeper;
  ComputationLauncher launcher(services.dialogs, services.ui, services.threads, services.messages);
  launcher.StartAdmixture(services.mainWindow, [work, sorted, ui, messages, beeper](std::atomic<int>& stop,
                                                                                     ProgressSink& progress) {
    AdmixtureRunContext context;
    context.stop = &stop;
    context.progress = &progress;
    context.sortResults = sorted;
    context.showRefusal = [ui, messages](const std::string& text) {
      ui->Post([messages, text] { messages->Show(text, "", kMbIconError); });
    };
    context.beep = [ui, beeper] { ui->Post([beeper] { beeper->Beep(); }); };
    const bool done = work->RunAdmixture(context);
    ui->Post([work] { g_chromosomePainting = std::move(*work); });
    return done;
  });
}

}  // namespace varnik
