// Every template dialog in every interface language, as the toolkit lays it
// out: no two visible controls overlap and all lie inside the dialog.  With
// VARNIK_DIALOG_SHOTS set to a folder, a picture of the screen is saved
// there for each dialog and language (needs ImageMagick's import).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gui/dialog_controls.h"
#include "gui/wx_dialog_host.h"
#include "gui/wx_ui_thread.h"
#include "gui_test_support.h"
#include "platform/fakes.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "platform/threads.h"
#include "predictor/predictor_dialog.h"
#include "shell/long_computation.h"
#include "shell/progress_dialog.h"
#include "texts/text_table.h"
#include "tmrca/tmrca_dialog.h"

namespace varnik {
namespace {

// Controls the toolkit makes overlap where their template cells do not
// (controls without an id cannot be found and are left out); a drop-down
// list's cell is its closed field.
void CheckControls(TemplateDialog& shown, const DialogTemplate& dialog, const std::string& name) {
  const auto cell = [](const ControlTemplate& c) {
    return wxRect(c.x, c.y, c.cx, c.kind == ControlKind::kComboBox ? kClosedComboHeight : c.cy);
  };
  const wxRect client(shown.Dialog()->GetClientSize());
  std::vector<const ControlTemplate*> placed;
  for (const ControlTemplate& entry : dialog.controls) {
    wxWindow* window = shown.Window(entry.id);
    if (entry.id == -1 || window == nullptr || !window->IsShown() || entry.kind == ControlKind::kGroupBox) continue;
    const wxRect rect = window->GetRect();
    EXPECT_TRUE(client.Contains(rect)) << name << ": control " << entry.id << " at " << rect.x << "," << rect.y;
    for (const ControlTemplate* other : placed) {
      if (!cell(entry).Intersect(cell(*other)).IsEmpty()) continue;
      const wxRect common = rect.Intersect(shown.Window(other->id)->GetRect());
      EXPECT_TRUE(common.IsEmpty()) << name << ": control " << entry.id << " \"" << window->GetLabel()
                                    << "\" overlaps control " << other->id << " by " << common.width << "x"
                                    << common.height;
    }
    placed.push_back(&entry);
  }
}

// Runs the logic's set-up, then looks at the shown dialog and ends it.
void CheckLayout(const DialogTemplate& dialog, DialogLogic& logic, const std::string& name) {
  testing::Driver probe(logic, [&](TemplateDialog& shown) {
    testing::PumpUntil([&] { return shown.Dialog()->IsShownOnScreen(); }, 2000);
    testing::Pump(200);
    CheckControls(shown, dialog, name);
    if (const char* folder = std::getenv("VARNIK_DIALOG_SHOTS")) {
      const std::string command = "import -window root '" + std::string(folder) + "/" + name + ".png'";
      EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }
    shown.EndDialog(kIdCancel);
  });
  EXPECT_EQ(WxDialogHost(nullptr).RunModal(dialog, probe), kIdCancel) << name;
}

// Restores the interface language when a test ends.
class DialogLayout : public ::testing::TestWithParam<int32_t> {
 protected:
  ~DialogLayout() override { g_language = kLanguageSerbian; }
  std::string Name(const char* dialog) const {
    static const char* const kNames[] = {"sr", "en", "ru"};
    return std::string(dialog) + "_" + kNames[GetParam()];
  }
};

TEST_P(DialogLayout, PredictorControlsDoNotOverlap) {
  static PredictorModels models;
  static const bool loaded = LoadPredictorModels(models, VARNIK_BIN_DIR);
  if (!loaded) GTEST_SKIP() << "the shipped models are not built";
  g_language = GetParam();
  MemorySettingsStore settings;
  CPredvigjacDialog logic(models, settings);
  CheckLayout(PredictorTemplate(), logic, Name("predictor"));
}

TEST_P(DialogLayout, TmrcaControlsDoNotOverlap) {
  const auto folder = std::filesystem::temp_directory_path() / "varnik_dialog_layout_tmrca";
  std::filesystem::create_directories(folder);
  SetProgramFolder(folder.string());
  ResetTmrcaState();
  g_language = GetParam();
  MemorySettingsStore settings;
  WxUiThread ui;
  DetachedThreadStarter threads;
  FakeMessageBoxes boxes;
  WxDialogHost host(nullptr);
  ComputationLauncher launcher(host, ui, threads, boxes);
  TmrcaDialog logic(settings, launcher, ui, boxes);
  CheckLayout(TmrcaTemplate(), logic, Name("tmrca"));
}

// The progress dialogs as a finished run leaves them: the end button in
// place of the stop button.
class FinishedProgress : public DialogLogic {
 public:
  void OnInit(DialogView& view) override {
    view.SetCaption(TextById(kTextTmrcaTitle));
    view.SetText(kIdStatusLine1, TextById(kTextTmrcaTitle));
    view.Show(kIdStopButton, false);
    view.Show(kIdOk, true);
    view.SetText(kIdOk, TextById(kTextMenuExit));
  }
};

TEST_P(DialogLayout, ProgressControlsDoNotOverlap) {
  g_language = GetParam();
  FinishedProgress logic;
  CheckLayout(ProgressTemplateTmrca(), logic, Name("progress_tmrca"));
  CheckLayout(ProgressTemplateAdmixture(), logic, Name("progress_admixture"));
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogLayout,
                         ::testing::Values(kLanguageSerbian, kLanguageEnglish, kLanguageRussian));

}  // namespace
}  // namespace varnik
