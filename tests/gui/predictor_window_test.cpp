// The predictor dialog in a real window: a typed 23-marker haplotype gives
// ranked branches in the result box.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/timer.h>

#include <string>

#include "gui/template_dialog.h"
#include "gui/wx_dialog_host.h"
#include "gui_test_support.h"
#include "platform/settings_store.h"
#include "predictor/predictor_dialog.h"

namespace varnik {
namespace {

// Forwards to the predictor's logic and, once the dialog is up, plays the
// user: choose the 23-marker kit order, type, press Calculate, read, close.
class Driver : public DialogLogic {
 public:
  explicit Driver(CPredvigjacDialog& inner) : inner_(inner) {}

  void OnInit(DialogView& view) override {
    inner_.OnInit(view);
    auto& dialog = dynamic_cast<TemplateDialog&>(view);
    failSafe_.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) { dialog.EndDialog(-1); });
    failSafe_.StartOnce(10000);
    dialog.Dialog()->CallAfter([this, &dialog] { Play(dialog); });
  }
  void OnCommand(DialogView& view, int id, int notification) override {
    if (id == kIdCancel) {
      view.EndDialog(kIdCancel);
      return;
    }
    inner_.OnCommand(view, id, notification);
  }
  void OnDrawItem(int id, Canvas& canvas, const Rect& rect) override { inner_.OnDrawItem(id, canvas, rect); }

  std::string results;

 private:
  void Play(TemplateDialog& dialog) {
    dialog.SetSelection(kIdInputOrder, 4);  // 23 markers, kit order
    inner_.OnCommand(dialog, kIdInputOrder, kNotifySelChange);
    dialog.SetText(kIdPredictorInput, "14 13 29 24 11 13 13 11-14 15 12 12 19 16 17 23 12 22 12 12 18 17 10");
    // A click on Calculate as the toolkit delivers it.
    auto* calculate = dynamic_cast<wxButton*>(dialog.Window(kIdOk));
    ASSERT_NE(calculate, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, calculate->GetId());
    click.SetEventObject(calculate);
    calculate->ProcessWindowEvent(click);
    testing::PumpUntil([&] { return !dialog.GetText(kIdPredictorResults).empty(); });
    results = dialog.GetText(kIdPredictorResults);
    dialog.EndDialog(kIdCancel);
  }

  CPredvigjacDialog& inner_;
  wxTimer failSafe_;
};

TEST(PredictorWindow, TypedHaplotypeGivesRankedBranches) {
  PredictorModels models;
  if (!LoadPredictorModels(models, VARNIK_BIN_DIR)) GTEST_SKIP() << "the shipped models are not built";
  MemorySettingsStore settings;
  CPredvigjacDialog logic(models, settings);
  Driver driver(logic);
  WxDialogHost host(nullptr);
  EXPECT_EQ(host.RunModal(PredictorTemplate(), driver), kIdCancel);
  // Ranked lines: a branch name and its probability in percent on each.
  EXPECT_NE(driver.results.find("%"), std::string::npos) << driver.results;
  EXPECT_NE(driver.results.find("R1b"), std::string::npos) << driver.results;
  EXPECT_GE(std::count(driver.results.begin(), driver.results.end(), '\n'), 3) << driver.results;
}

}  // namespace
}  // namespace varnik
