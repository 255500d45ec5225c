// The predictor dialog in a real window: a typed 23-marker haplotype gives
// ranked branches in the result box, and the keyboard works as the
// template says.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "gui/template_dialog.h"
#include "gui/wx_dialog_host.h"
#include "gui_test_support.h"
#include "platform/settings_store.h"
#include "predictor/predictor_dialog.h"

namespace varnik {
namespace {

// Forwards to the predictor's logic and, once the dialog is up, plays the
// user.  Cancel ends the dialog.
class Driver : public DialogLogic {
 public:
  Driver(CPredvigjacDialog& inner, std::function<void(TemplateDialog&)> play)
      : inner_(inner), play_(std::move(play)) {}

  void OnInit(DialogView& view) override {
    inner_.OnInit(view);
    auto& dialog = dynamic_cast<TemplateDialog&>(view);
    failSafe_.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) { dialog.EndDialog(-1); });
    failSafe_.StartOnce(10000);
    dialog.Dialog()->CallAfter([this, &dialog] { play_(dialog); });
  }
  void OnCommand(DialogView& view, int id, int notification) override {
    if (id == kIdCancel) {
      view.EndDialog(kIdCancel);
      return;
    }
    inner_.OnCommand(view, id, notification);
  }
  void OnDrawItem(int id, Canvas& canvas, const Rect& rect) override { inner_.OnDrawItem(id, canvas, rect); }

 private:
  CPredvigjacDialog& inner_;
  std::function<void(TemplateDialog&)> play_;
  wxTimer failSafe_;
};

constexpr const char* kHaplotype23 = "14 13 29 24 11 13 13 11-14 15 12 12 19 16 17 23 12 22 12 12 18 17 10";

TEST(PredictorWindow, TypedHaplotypeGivesRankedBranches) {
  PredictorModels models;
  if (!LoadPredictorModels(models, VARNIK_BIN_DIR)) GTEST_SKIP() << "the shipped models are not built";
  MemorySettingsStore settings;
  CPredvigjacDialog logic(models, settings);
  std::string results;
  Driver driver(logic, [&](TemplateDialog& dialog) {
    dialog.SetSelection(kIdInputOrder, 4);  // 23 markers, kit order
    logic.OnCommand(dialog, kIdInputOrder, kNotifySelChange);
    dialog.SetText(kIdPredictorInput, kHaplotype23);
    // A click on Calculate as the toolkit delivers it.
    auto* calculate = dynamic_cast<wxButton*>(dialog.Window(kIdOk));
    ASSERT_NE(calculate, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, calculate->GetId());
    click.SetEventObject(calculate);
    calculate->ProcessWindowEvent(click);
    testing::PumpUntil([&] { return !dialog.GetText(kIdPredictorResults).empty(); });
    results = dialog.GetText(kIdPredictorResults);
    dialog.EndDialog(kIdCancel);
  });
  WxDialogHost host(nullptr);
  EXPECT_EQ(host.RunModal(PredictorTemplate(), driver), kIdCancel);
  // Ranked lines: a branch name and its probability in percent on each.
  EXPECT_NE(results.find("%"), std::string::npos) << results;
  EXPECT_NE(results.find("R1b"), std::string::npos) << results;
  EXPECT_GE(std::count(results.begin(), results.end(), '\n'), 3) << results;
}

// Keys from the display server: the dialog opens with the focus in the
// input box, Tab visits the controls in their template order, Enter in the
// input box calculates and Escape closes.
TEST(PredictorWindow, KeyboardFollowsTheTemplate) {
  PredictorModels models;
  if (!LoadPredictorModels(models, VARNIK_BIN_DIR)) GTEST_SKIP() << "the shipped models are not built";
  MemorySettingsStore settings;
  CPredvigjacDialog logic(models, settings);
  std::vector<int> visited;
  std::string results;
  Driver driver(logic, [&](TemplateDialog& dialog) {
    testing::PumpUntil([&] { return dialog.Dialog()->IsShownOnScreen(); }, 2000);
    testing::Pump(100);
    const auto focused = [&dialog] {
      for (wxWindow* window = wxWindow::FindFocus(); window != nullptr; window = window->GetParent()) {
        for (const ControlTemplate& control : PredictorTemplate().controls) {
          if (dialog.Window(control.id) == window) return control.id;
        }
      }
      return -1;
    };
    wxUIActionSimulator keys;
    visited.push_back(focused());
    for (int i = 0; i < 11; ++i) {
      keys.Char(WXK_TAB);
      testing::Pump(50);
      visited.push_back(focused());
    }
    dialog.SetSelection(kIdInputOrder, 4);
    logic.OnCommand(dialog, kIdInputOrder, kNotifySelChange);
    dialog.SetText(kIdPredictorInput, kHaplotype23);
    keys.Char(WXK_RETURN);
    testing::PumpUntil([&] { return !dialog.GetText(kIdPredictorResults).empty(); });
    results = dialog.GetText(kIdPredictorResults);
    keys.Char(WXK_ESCAPE);
  });
  WxDialogHost host(nullptr);
  EXPECT_EQ(host.RunModal(PredictorTemplate(), driver), kIdCancel);
  EXPECT_EQ(visited, (std::vector<int>{kIdPredictorInput, kIdInputOrder, kIdPredictorChoice, kIdKnownSnp, kIdOk,
                                       kIdBatch, kIdMostFrequent, kIdManual, kIdPredictorResults, kIdResultBranches,
                                       kIdCancel, kIdPredictorInput}));
  EXPECT_NE(results.find("R1b"), std::string::npos) << results;
}

}  // namespace
}  // namespace varnik
