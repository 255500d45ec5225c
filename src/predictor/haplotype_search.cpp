#include "predictor/haplotype_search.h"

#include <algorithm>
#include <cstdio>

#include "common/format.h"
#include "common/utf.h"
#include "predictor/collection_search_settings.h"
#include "texts/text_table.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"
#include "ystr/markers.h"
#include "ystr/panels.h"

namespace varnik {
namespace {

constexpr int32_t kOrderTexts[] = {kTextOrderFtdna, kTextOrder17Kit, kTextOrder17Ascending,
                                   kTextOrder17Ftdna, kTextOrder23Kit, kTextOrder23Ftdna};
constexpr int32_t kRankingTexts[] = {kTextRankByDistance, kTextRankByDifferentMarkers, kTextRankByGenerations};
constexpr std::size_t kInputLimit = 4999;
constexpr std::size_t kRangeLimit = 200;
constexpr std::size_t kResultLimit = 50 * 1024 * 1024;
constexpr const char* kTemplate17 =
    "? ? ? ? ?-? $ $ ? ? ? ? ? $-$ $ $ $ ? ? $ $-$-$-$ $ ? $-$ ? $ $ $ $-$ $ ? $ $ $-$ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ "
    "$ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ $ ?";

// The first `limit` UTF-16 code units of `text`.
std::string FirstUnits(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return std::string(text);
  const std::u16string units = Utf8ToUtf16(text);
  if (units.size() <= limit) return std::string(text);
  return Utf16ToUtf8(std::u16string_view(units).substr(0, limit));
}

struct Wait {
  WaitCursor* cursor;
  explicit Wait(WaitCursor* c) : cursor(c) { if (cursor != nullptr) cursor->Begin(); }
  ~Wait() { if (cursor != nullptr) cursor->End(); }
  Wait(const Wait&) = delete;
  Wait& operator=(const Wait&) = delete;
};

}  // namespace

bool SearchCollections(CPoregjenjeHaplovrst& engine, std::string_view input, int32_t order, int32_t language,
                       bool commaMode, std::string& output, Haplotype& haplotype) {
  const bool comma = order == 0 || commaMode;
  const std::string limited = FirstUnits(input, kInputLimit);
  const std::string text = comma ? MarkCommaFields(limited) : limited;
  haplotype.clear();
  std::size_t position = 0;
  std::string name;
  int32_t columns = 0;
  if (ParseHaplotypeLine(text, position, name, haplotype, columns, 0, comma) != 1) {
    haplotype.clear();
    output = TextById(kTextBadInputData, language);
    return false;
  }
  const int32_t panel = PanelOfInputOrder(order);
  if (panel >= 0 && PanelToFtdna(haplotype, panel, true) != 0) {
    haplotype.clear();
    output = TextById(kTextBadInputData, language);
    return false;
  }
  if (!Convert389(haplotype, false, false)) {
    haplotype.clear();
    output = TextById(kTextDys389IIWithoutI, language);
    return false;
  }
  output.clear();
  if (!engine.CompareWithCollections(limited, haplotype, language, false, true, output, true, comma)) {
    output += "\r\n" + TextById(kTextBadInputData, language);
  }
  return true;
}

CPretragaHaplovrstDialog::CPretragaHaplovrstDialog(DialogHost& host, SettingsStore& settings,
                                                   CPoregjenjeHaplovrst& engine, WaitCursor* cursor, int32_t language)
    : host_(host), settings_(settings), engine_(engine), cursor_(cursor), language_(language) {}

void CPretragaHaplovrstDialog::OnInit(DialogView& view) {
  if (language_ < 0) language_ = g_language;
  haplotype_.clear();
  const auto text = [this](int32_t id) -> const std::string& { return TextById(id, language_); };
  view.SetCaption(text(kTextHaplotypeSearch));
  view.SetTextLimit(kIdSearchInput, kInputLimit);
  view.SetTextLimit(kIdSearchResults, kResultLimit);
  view.SetText(kIdSearchInputLabel, text(kTextInputDataExample) + ":    13 24 13 10 15-18 12 12 10 14 16 30");
  view.SetText(kIdSearchResultsLabel, text(kTextResults));
  view.SetText(kIdSearchManual, text(kTextShortManual));
  view.SetText(kIdSearchTemplate17, text(kTextTemplate17Markers));
  view.SetText(kIdSettingsGroup, text(kTextSettings));
  view.SetText(kIdMinCommonLabel, text(kTextMinCommonMarkers));
  view.SetText(kIdMaxDiffLabel, text(kTextMaxDifferencePercent));
  view.SetText(kIdMaxShownLabel, text(kTextMaxSamplesShown));
  view.SetText(kIdConstraintsGroup, text(kTextConstraints));
  view.SetText(kIdChooseCollections, text(kTextSelectCollections) + "...");
  view.SetText(kIdOk, text(kTextSearch));
  view.SetText(kIdCancel, text(kTextExitButton));

  view.ClearItems(kIdSearchOrder);
  for (int32_t id : kOrderTexts) view.AddItem(kIdSearchOrder, text(id));
  uint32_t order = 0;
  if (settings_.KeyExists()) {
    ReadSettingBelow(settings_, "Poredak", 5, order);
    ReadCollectionSearchSettings(settings_, engine_.settings);
  }
  view.SetSelection(kIdSearchOrder, static_cast<int>(order));
  for (const int id : {kIdMinCommon, kIdMaxDiff, kIdMaxShown}) ShowSetting(view, id);

  std::vector<CSettingConstraint>& slots = engine_.settings.constraints;
  if (slots.size() < kMinConstraintSlots) slots.resize(kMinConstraintSlots);
  const std::vector<std::string> headers = ColumnHeaders(true);
  for (int row = 0; row < kConstraintRows; ++row) {
    CSettingConstraint& slot = slots[static_cast<std::size_t>(row)];
    // A slot without a marker shows and keeps no range.
    if (slot.column < 0 || slot.column >= kFtdnaColumnCount) slot = CSettingConstraint{-1, -1, -1};
    view.ClearItems(kIdConstraintColumn[row]);
    view.AddItem(kIdConstraintColumn[row], "");
    for (const std::string& header : headers) view.AddItem(kIdConstraintColumn[row], header);
    view.SetSelection(kIdConstraintColumn[row], slot.column + 1);
    view.SetText(kIdConstraintRange[row], FormatRangeText(slot.low, slot.high));
    view.Enable(kIdConstraintRange[row], slot.column >= 0);
  }
  view.ClearItems(kIdRanking);
  for (int32_t id : kRankingTexts) view.AddItem(kIdRanking, text(id));
  view.SetSelection(kIdRanking, std::clamp(engine_.settings.rankingMethod, 0, 2));
  view.SetFocus(kIdSearchInput);
}

void CPretragaHaplovrstDialog::ShowSetting(DialogView& view, int id) {
  const CPostavkePretrage& s = engine_.settings;
  if (id == kIdMinCommon) view.SetText(id, Format("%d", s.minCommonMarkers));
  if (id == kIdMaxShown) view.SetText(id, Format("%d", s.maxShown));
  if (id == kIdMaxDiff) view.SetText(id, Format("%.2f", s.maxDifferenceRatio * 100));
}

void CPretragaHaplovrstDialog::CommitSetting(DialogView& view, int id) {
  CPostavkePretrage& s = engine_.settings;
  const std::string text = view.GetText(id);
  if (id == kIdMaxDiff) {
    double percent = 0;
    if (std::sscanf(text.c_str(), "%lg", &percent) == 1 && percent / 100 >= 0.01 && percent / 100 <= 0.7) {
      s.maxDifferenceRatio = percent / 100;
    }
  } else {
    int value = 0;
    if (std::sscanf(text.c_str(), "%d", &value) == 1) {
      if (id == kIdMinCommon && value >= 5 && value <= 60) s.minCommonMarkers = value;
      if (id == kIdMaxShown && value >= 10 && value <= 500) s.maxShown = value;
    }
  }
  ShowSetting(view, id);
}

void CPretragaHaplovrstDialog::CommitRange(DialogView& view, int row) {
  CSettingConstraint& slot = engine_.settings.constraints[static_cast<std::size_t>(row)];
  ParseRangeText(FirstUnits(view.GetText(kIdConstraintRange[row]), kRangeLimit), slot.low, slot.high);
  view.SetText(kIdConstraintRange[row], FormatRangeText(slot.low, slot.high));
}

void CPretragaHaplovrstDialog::Search(DialogView& view) {
  // An edit that held the focus commits its value as on losing it.
  view.SetFocus(kIdOk);
  for (const int id : {kIdMinCommon, kIdMaxDiff, kIdMaxShown}) CommitSetting(view, id);
  for (int row = 0; row < kConstraintRows; ++row) {
    if (engine_.settings.constraints[static_cast<std::size_t>(row)].column >= 0) CommitRange(view, row);
  }
  const int order = std::clamp(view.GetSelection(kIdSearchOrder), 0, 5);
  if (view.GetSelection(kIdRanking) >= 0) engine_.settings.rankingMethod = view.GetSelection(kIdRanking);
  WriteSettingNumber(settings_, "Poredak", static_cast<uint32_t>(order));
  WriteCollectionSearchSettings(settings_, engine_.settings);

  std::string output;
  {
    Wait wait(cursor_);
    SearchCollections(engine_, view.GetText(kIdSearchInput), order, language_, false, output, haplotype_);
  }
  view.SetText(kIdSearchResults, output);
}

void CPretragaHaplovrstDialog::OnCommand(DialogView& view, int id, int notification) {
  for (int row = 0; row < kConstraintRows; ++row) {
    CSettingConstraint& slot = engine_.settings.constraints[static_cast<std::size_t>(row)];
    if (id == kIdConstraintColumn[row] && notification == kNotifySelChange) {
      const int selection = view.GetSelection(id);
      const int32_t column = selection >= 1 && selection <= kFtdnaColumnCount ? selection - 1 : -1;
      if (column < 0 || slot.column < 0) {
        slot.low = slot.high = -1;
        view.SetText(kIdConstraintRange[row], "");
      }
      slot.column = column;
      view.Enable(kIdConstraintRange[row], column >= 0);
      return;
    }
    if (id == kIdConstraintRange[row] && notification == kNotifyKillFocus) {
      CommitRange(view, row);
      return;
    }
  }
  switch (id) {
    case kIdMinCommon:
    case kIdMaxDiff:
    case kIdMaxShown:
      if (notification == kNotifyKillFocus) CommitSetting(view, id);
      break;
    case kIdSearchManual:
      view.SetText(kIdSearchResults, HaplotypeSearchManual(language_));
      break;
    case kIdSearchTemplate17:
      view.SetText(kIdSearchInput, kTemplate17);
      haplotype_.clear();
      break;
    case kIdChooseCollections:
      RunCollectionChooser(host_, engine_.settings.collections, language_);
      break;
    case kIdOk:
      if (notification == kNotifyClicked) Search(view);
      break;
    case kIdCancel:
      view.EndDialog(kIdCancel);
      break;
    default:
      break;
  }
}

void CIzborZbirkiDialog::OnInit(DialogView& view) {
  if (language_ < 0) language_ = g_language;
  const auto text = [this](int32_t id) -> const std::string& { return TextById(id, language_); };
  view.SetCaption(text(kTextSelectCollections));
  const auto collections = SampleCollections();
  for (int32_t c = 0; c < kCollectionCount; ++c) {
    view.SetText(kIdCollectionBox0 + c, text(collections[static_cast<std::size_t>(c)].textId));
    view.SetChecked(kIdCollectionBox0 + c,
                    static_cast<std::size_t>(c) < selection_.size() && selection_[static_cast<std::size_t>(c)]);
  }
  view.SetText(kIdAllOn, text(kTextSetAllOn));
  view.SetText(kIdAllOff, text(kTextSetAllOff));
  view.SetText(kIdOk, text(kTextOk));
  view.SetText(kIdCancel, text(kTextCancel));
}

void CIzborZbirkiDialog::OnCommand(DialogView& view, int id, int notification) {
  if (notification != kNotifyClicked) return;
  if (id == kIdAllOn || id == kIdAllOff) {
    for (int32_t c = 0; c < kCollectionCount; ++c) view.SetChecked(kIdCollectionBox0 + c, id == kIdAllOn);
  } else if (id == kIdOk) {
    if (selection_.size() < static_cast<std::size_t>(kCollectionCount)) selection_.resize(kCollectionCount, true);
    for (int32_t c = 0; c < kCollectionCount; ++c) {
      selection_[static_cast<std::size_t>(c)] = view.IsChecked(kIdCollectionBox0 + c);
    }
    view.EndDialog(kIdOk);
  } else if (id == kIdCancel) {
    view.EndDialog(kIdCancel);
  }
}

void RunCollectionChooser(DialogHost& host, std::vector<bool>& selection, int32_t language) {
  CIzborZbirkiDialog chooser(selection, language);
  host.RunModal(CollectionChooserTemplate(), chooser);
}

void RunHaplotypeSearchDialog(DialogHost& host, SettingsStore& settings, WaitCursor* cursor) {
  CPretragaHaplovrstDialog dialog(host, settings, g_poregjenjeHaplovrst, cursor);
  host.RunModal(HaplotypeSearchTemplate(), dialog);
}

}  // namespace varnik
