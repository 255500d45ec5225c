// The predictor dialog in a real window, driven by keys from the display
// server: the dialog opens with the focus in the input box, Tab visits the
// controls in their template order, Enter in the input box ranks the
// branches of a typed 23-marker haplotype, and Escape closes.
#include <gtest/gtest.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/wx_dialog_host.h"
#include "gui_test_support.h"
#include "platform/settings_store.h"
#include "predictor/predictor_dialog.h"

namespace varnik {
namespace {

TEST(PredictorWindow, KeyboardFollowsTheTemplateAndRanksTheBranches) {
  PredictorModels models;
  if (!LoadPredictorModels(models, VARNIK_BIN_DIR)) GTEST_SKIP() << "the shipped models are not built";
  MemorySettingsStore settings;
  CPredvigjacDialog logic(models, settings);
  std::vector<int> visited;
  std::string results;
  testing::Driver driver(logic, [&](TemplateDialog& dialog) {
    testing::PumpUntil([&] { return dialog.Dialog()->IsShownOnScreen(); }, 2000);
    testing::Pump(100);
    wxUIActionSimulator keys;
    visited.push_back(testing::FocusedControl(dialog, PredictorTemplate()));
    for (int i = 0; i < 11; ++i) {
      keys.Char(WXK_TAB);
      testing::Pump(50);
      visited.push_back(testing::FocusedControl(dialog, PredictorTemplate()));
    }
    dialog.SetSelection(kIdInputOrder, 4);  // 23 markers, kit order
    logic.OnCommand(dialog, kIdInputOrder, kNotifySelChange);
    dialog.SetText(kIdPredictorInput, "14 13 29 24 11 13 13 11-14 15 12 12 19 16 17 23 12 22 12 12 18 17 10");
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
  // Ranked lines: a branch name and its probability in percent on each.
  EXPECT_NE(results.find("%"), std::string::npos) << results;
  EXPECT_NE(results.find("R1b"), std::string::npos) << results;
  EXPECT_GE(std::count(results.begin(), results.end(), '\n'), 3) << results;
}

}  // namespace
}  // namespace varnik
