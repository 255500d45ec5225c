#include "autosomal/admixture_dialog.h"

#include <algorithm>
#include <memory>

#include "common/format.h"
#include "platform/dialog_settings.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

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

int32_t TakeChromosomeBox(DialogView& view, int id, int32_t current) {
  const int32_t chromosome = ReadClamped(view, id, 0, kMaxChromosomeNumber, current);
  view.SetText(id, Format("%d", chromosome));
  return chromosome;
}

void ReadInputSettings(SettingsStore& settings, DialogView& view, CProracunPoreklaOdsecaka& data,
                       const std::function<void()>& withWindow) {
  std::string path;
  if (ReadSettingText(settings, "StazaUzorka", path)) view.SetText(kIdAdmixtureSamplePath, path);
  if (ReadSettingText(settings, "StazaRacunaca", path)) view.SetText(kIdAdmixtureCalculatorPath, path);
  // Stored numbers outside the dialog's ranges are not taken.
  ReadSettingSignedInRange(settings, "BrojHromozoma", 0, kMaxChromosomeNumber, data.chromosomeNumber);
  if (data.chromosomeNumber <= 0) return;
  uint32_t windowOnly = 0;
  if (ReadSettingNumber(settings, "ProracunOds", windowOnly)) data.segmentOnly = windowOnly != 0 ? 1 : 0;
  if (data.segmentOnly == 0) return;
  ReadSettingSignedInRange(settings, "PocDelaHrom", 0, kMaxWindowBasePairs, data.segmentStart);
  ReadSettingSignedInRange(settings, "KrajDelaHrom", 0, kMaxWindowBasePairs, data.segmentEnd);
  if (withWindow) withWindow();
}

void EnableWindowControls(DialogView& view, int32_t chromosome, int followsWindow) {
  const bool window = chromosome > 0 && view.IsChecked(kIdAdmixtureWindowOnly);
  view.Enable(kIdAdmixtureWindowOnly, chromosome > 0);
  view.Enable(kIdAdmixtureWindowStart, window);
  view.Enable(kIdAdmixtureWindowEnd, window);
  if (followsWindow != 0) view.Enable(followsWindow, window);
}

bool AcceptInputs(SettingsStore& settings, DialogView& view, CProracunPoreklaOdsecaka& data, int32_t chromosome) {
  data.samplePath = view.GetText(kIdAdmixtureSamplePath);
  data.calculatorPath = view.GetText(kIdAdmixtureCalculatorPath);
  data.chromosomeNumber = ReadClamped(view, kIdAdmixtureChromosome, 0, kMaxChromosomeNumber, chromosome);
  const bool chosen = data.chromosomeNumber > 0;
  bool windowRead = false;
  if (chosen) {
    data.segmentOnly = view.IsChecked(kIdAdmixtureWindowOnly) ? 1 : 0;
    if (data.segmentOnly != 0) {
      data.segmentStart = ReadClamped(view, kIdAdmixtureWindowStart, 0, kMaxWindowBasePairs, data.segmentStart);
      data.segmentEnd = ReadClamped(view, kIdAdmixtureWindowEnd, 0, kMaxWindowBasePairs, data.segmentEnd);
      windowRead = true;
    }
  }
  WriteSettingText(settings, "StazaUzorka", data.samplePath);
  WriteSettingText(settings, "StazaRacunaca", data.calculatorPath);
  WriteSettingNumber(settings, "BrojHromozoma", static_cast<uint32_t>(data.chromosomeNumber));
  if (chosen) WriteSettingNumber(settings, "ProracunOds", static_cast<uint32_t>(data.segmentOnly));
  if (windowRead) {
    WriteSettingNumber(settings, "PocDelaHrom", static_cast<uint32_t>(data.segmentStart));
    WriteSettingNumber(settings, "KrajDelaHrom", static_cast<uint32_t>(data.segmentEnd));
  }
  return windowRead;
}

bool BrowseInto(FileDialog& files, DialogView& view, int edit, int title, const char* filter) {
  const std::optional<std::string> path = files.OpenFile(TextById(title), filter, view.GetText(edit));
  if (path) view.SetText(edit, *path);
  return path.has_value();
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
  ReadSettingDoubleInRange(settings_, "GranicaPromene", kMinChangeThreshold, kMaxChangeThreshold,
                           data_.changeThreshold);
  uint32_t sort = 0;
  if (ReadSettingNumber(settings_, "UreditiIshode", sort)) sortResults_ = sort != 0 ? 1 : 0;
  ReadInputSettings(settings_, view, data_);
}

void AdmixtureDialog::EnableWindowControls(DialogView& view) { varnik::EnableWindowControls(view, chromosome_); }

void AdmixtureDialog::OnCommand(DialogView& view, int id, int notification) {
  switch (id) {
    case kIdOk:
      Accept(view);
      break;
    case kIdCancel:
      view.EndDialog(kIdCancel);
      break;
    case kIdAdmixtureSampleBrowse:
      Browse(view, kIdAdmixtureSamplePath, kTextSampleGenomeFile, kGenotypeFileFilter);
      break;
    case kIdAdmixtureCalculatorBrowse:
      Browse(view, kIdAdmixtureCalculatorPath, kTextCalculatorFile, kCalculatorFileFilter);
      break;
    case kIdAdmixtureChromosome:
      if (notification == kNotifyKillFocus) {
        chromosome_ = TakeChromosomeBox(view, kIdAdmixtureChromosome, chromosome_);
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
  BrowseInto(files_, view, edit, title, filter);
}

void AdmixtureDialog::Accept(DialogView& view) {
  double threshold = 0;
  if (ScanDouble(view.GetText(kIdAdmixtureThreshold), threshold)) {
    data_.changeThreshold = std::clamp(threshold, kMinChangeThreshold, kMaxChangeThreshold);
  }
  sortResults_ = view.IsChecked(kIdAdmixtureSort) ? 1 : 0;
  WriteSettingDouble(settings_, "GranicaPromene", data_.changeThreshold);
  WriteSettingNumber(settings_, "UreditiIshode", static_cast<uint32_t>(sortResults_));
  AcceptInputs(settings_, view, data_, chromosome_);
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
