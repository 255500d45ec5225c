#include "autosomal/painting_dialog.h"

#include <algorithm>
#include <memory>

#include "autosomal/painting.h"
#include "common/format.h"
#include "platform/dialog_settings.h"
#include "texts/text_table.h"

namespace varnik {

void PaintingDialog::OnInit(DialogView& view) {
  view.SetCaption(TextById(kTextChromosomePainting));
  view.SetText(kIdOk, TextById(kTextOk));
  view.SetText(kIdCancel, TextById(kTextCancel));
  view.SetText(kIdAdmixtureSampleLabel, TextById(kTextSampleGenomeFile));
  view.SetText(kIdAdmixtureSampleBrowse, TextById(kTextChooseFile));
  view.SetText(kIdAdmixtureCalculatorLabel, TextById(kTextCalculatorFile));
  view.SetText(kIdAdmixtureCalculatorBrowse, TextById(kTextChooseFile));
  view.SetText(kIdPaintingBySnpCount, TextById(kTextGivenHalfWindowSnps));
  view.SetText(kIdPaintingByLength, TextById(kTextGivenSegmentLength));
  view.SetText(kIdPaintingHalfWindowLabel, TextById(kTextHalfWindowSnps));
  view.SetText(kIdPaintingLengthLabel, TextById(kTextSegmentLengthCm));
  view.SetText(kIdAdmixtureChromosomeLabel, TextById(kTextChromosomeNumber));
  view.SetText(kIdAdmixtureWindowOnly, TextById(kTextCalculateOnSegment));
  view.SetText(kIdAdmixtureFromLabel, TextById(kTextFrom));
  view.SetText(kIdAdmixtureToLabel, TextById(kTextTo));
  view.SetText(kIdAdmixtureBasePairsLabel, TextById(kTextBasePairs));
  view.SetText(kIdPaintingDrawZoomed, TextById(kTextDrawExtended));
  view.SetText(kIdPaintingLevellingLabel, TextById(kTextLevellingSnps));
  view.SetText(kIdPaintingLevellingNote, TextById(kTextLevellingNote));
  view.SetText(kIdPaintingSamePopulationOnly, TextById(kTextSimplifiedCalculation));

  ReadSettings(view);
  chromosome_ = data_.chromosomeNumber;
  view.SetChecked(kIdPaintingBySnpCount, data_.windowBySnpCount != 0);
  view.SetChecked(kIdPaintingByLength, data_.windowBySnpCount == 0);
  view.SetText(kIdPaintingHalfWindow, Format("%d", data_.halfWindowSnps));
  view.SetText(kIdPaintingLength, Format("%.2f", data_.windowLengthCm));
  view.SetText(kIdAdmixtureChromosome, Format("%d", data_.chromosomeNumber));
  view.SetChecked(kIdAdmixtureWindowOnly, data_.segmentOnly != 0);
  view.SetText(kIdAdmixtureWindowStart, Format("%d", data_.segmentStart));
  view.SetText(kIdAdmixtureWindowEnd, Format("%d", data_.segmentEnd));
  view.SetChecked(kIdPaintingDrawZoomed, data_.drawZoomed != 0);
  view.SetText(kIdPaintingLevelling, Format("%d", data_.levellingFactor));
  view.SetChecked(kIdPaintingSamePopulationOnly, data_.pairsSamePopulationOnly != 0);
  EnableControls(view);
  view.SetFocus(kIdOk);
}

void PaintingDialog::ReadSettings(DialogView& view) {
  if (!settings_.KeyExists()) return;
  uint32_t flag = 0;
  if (ReadSettingNumber(settings_, "ZadatJeSh", flag)) data_.windowBySnpCount = flag != 0 ? 1 : 0;
  ReadSettingSignedInRange(settings_, "Uzimaj", kMinHalfWindowSnps, kMaxHalfWindowSnps, data_.halfWindowSnps);
  ReadSettingDoubleInRange(settings_, "DuzinaOdsecka", kMinWindowLengthCm, kMaxWindowLengthCm, data_.windowLengthCm);
  ReadSettingSignedInRange(settings_, "BrojZaUprosec", kLevellingMin, kLevellingMax, data_.levellingFactor);
  if (ReadSettingNumber(settings_, "UproscenProracun", flag)) data_.pairsSamePopulationOnly = flag != 0 ? 1 : 0;
  ReadInputSettings(settings_, view, data_, [this] {
    uint32_t zoomed = 0;
    if (ReadSettingNumber(settings_, "CrtajRasZaOds", zoomed)) data_.drawZoomed = zoomed != 0 ? 1 : 0;
  });
}

void PaintingDialog::EnableControls(DialogView& view) {
  const bool bySnpCount = view.IsChecked(kIdPaintingBySnpCount);
  view.Enable(kIdPaintingHalfWindow, bySnpCount);
  view.Enable(kIdPaintingLength, !bySnpCount);
  EnableWindowControls(view, chromosome_, kIdPaintingDrawZoomed);
}

void PaintingDialog::OnCommand(DialogView& view, int id, int notification) {
  switch (id) {
    case kIdOk:
      Accept(view);
      break;
    case kIdCancel:
      view.EndDialog(kIdCancel);
      break;
    case kIdAdmixtureSampleBrowse:
      BrowseInto(files_, view, kIdAdmixtureSamplePath, kTextSampleGenomeFile, kGenotypeFileFilter);
      break;
    case kIdAdmixtureCalculatorBrowse:
      BrowseInto(files_, view, kIdAdmixtureCalculatorPath, kTextCalculatorFile, kCalculatorFileFilter);
      break;
    case kIdAdmixtureChromosome:
      if (notification == kNotifyKillFocus) {
        chromosome_ = TakeChromosomeBox(view, kIdAdmixtureChromosome, chromosome_);
        EnableControls(view);
      }
      break;
    case kIdAdmixtureWindowOnly:
    case kIdPaintingBySnpCount:
    case kIdPaintingByLength:
      if (notification == kNotifyClicked) EnableControls(view);
      break;
    default:
      break;
  }
}

void PaintingDialog::Accept(DialogView& view) {
  data_.windowBySnpCount = view.IsChecked(kIdPaintingBySnpCount) ? 1 : 0;
  data_.halfWindowSnps =
      ReadClamped(view, kIdPaintingHalfWindow, kMinHalfWindowSnps, kMaxHalfWindowSnps, data_.halfWindowSnps);
  double length = 0;
  if (ScanDouble(view.GetText(kIdPaintingLength), length)) {
    data_.windowLengthCm = std::clamp(length, kMinWindowLengthCm, kMaxWindowLengthCm);
  }
  data_.levellingFactor = ReadClamped(view, kIdPaintingLevelling, kLevellingMin, kLevellingMax, data_.levellingFactor);
  data_.pairsSamePopulationOnly = view.IsChecked(kIdPaintingSamePopulationOnly) ? 1 : 0;

  WriteSettingNumber(settings_, "ZadatJeSh", static_cast<uint32_t>(data_.windowBySnpCount));
  WriteSettingNumber(settings_, "Uzimaj", static_cast<uint32_t>(data_.halfWindowSnps));
  WriteSettingDouble(settings_, "DuzinaOdsecka", data_.windowLengthCm);
  WriteSettingNumber(settings_, "BrojZaUprosec", static_cast<uint32_t>(data_.levellingFactor));
  WriteSettingNumber(settings_, "UproscenProracun", static_cast<uint32_t>(data_.pairsSamePopulationOnly));
  if (AcceptInputs(settings_, view, data_, chromosome_)) {
    data_.drawZoomed = view.IsChecked(kIdPaintingDrawZoomed) ? 1 : 0;
    WriteSettingNumber(settings_, "CrtajRasZaOds", static_cast<uint32_t>(data_.drawZoomed));
  }
  view.EndDialog(kIdOk);
}

void OpenChromosomePainting(const AdmixtureServices& services, std::function<void()> repaint) {
  PaintingDialog dialog(services.settings, services.files);
  if (services.dialogs.RunModal(PaintingTemplate(), dialog) != kIdOk) return;

  // The worker loads and computes on its own object; the interface thread
  // never sees it half-filled.  The shown painting goes at once.
  g_chromosomePainting.paintingReady = 0;
  if (repaint) repaint();
  auto work = std::make_shared<CProracunPoreklaOdsecaka>();
  work->CopySettingsFrom(g_chromosomePainting);
  UiThread* ui = &services.ui;
  MessageBoxes* messages = &services.messages;
  Beeper* beeper = &services.beeper;
  ComputationLauncher launcher(services.dialogs, services.ui, services.threads, services.messages);
  launcher.StartPainting(
      services.mainWindow,
      [work, ui, messages, beeper](std::atomic<int>& stop, ProgressSink& progress) {
        AdmixtureRunContext context;
        context.stop = &stop;
        context.progress = &progress;
        context.beep = [ui, beeper] { ui->Post([beeper] { beeper->Beep(); }); };
        const bool done = work->RunChromosomePainting(context);
        // The progress dialog closes at the end, so a refused window or a
        // failed load says why in a message box.
        if (!done && !work->lastError.empty() && !context.Stopped()) {
          const std::string text = work->lastError;
          ui->Post([messages, text] { messages->Show(text, "", kMbIconError); });
        }
        // A sample on another genome build was matched by name; say so.
        if (done && !work->loadNotice.empty()) {
          const std::string text = work->loadNotice;
          ui->Post([messages, text] { messages->Show(text, TextById(kTextChromosomePainting), kMbIconWarning); });
        }
        ui->Post([work] { g_chromosomePainting = std::move(*work); });
        return done;
      },
      std::move(repaint));
}

}  // namespace varnik
