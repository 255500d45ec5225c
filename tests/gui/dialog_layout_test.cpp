// Every template dialog in every interface language, as the toolkit lays it
// out: no two visible controls overlap and all lie inside the dialog.  With
// VARNIK_DIALOG_SHOTS set to a folder, a picture of the screen is saved
// there for each dialog and language (needs ImageMagick's import).
#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/timer.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gui/dialog_controls.h"
#include "gui/template_dialog.h"
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

// Runs the inner logic's OnInit, then looks at the shown dialog and ends it.
class LayoutProbe : public DialogLogic {
 public:
  LayoutProbe(const DialogTemplate& dialog, DialogLogic& inner, std::string name)
      : template_(dialog), inner_(inner), name_(std::move(name)) {}

  void OnInit(DialogView& view) override {
    inner_.OnInit(view);
    auto& dialog = dynamic_cast<TemplateDialog&>(view);
    failSafe_.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) { dialog.EndDialog(-1); });
    failSafe_.StartOnce(10000);
    dialog.Dialog()->CallAfter([this, &dialog] {
      testing::PumpUntil([&] { return dialog.Dialog()->IsShownOnScreen(); }, 2000);
      testing::Pump(200);
      Check(dialog);
      if (const char* folder = std::getenv("VARNIK_DIALOG_SHOTS")) {
        const std::string command = "import -window root '" + std::string(folder) + "/" + name_ + ".png'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
      }
      dialog.EndDialog(kIdCancel);
    });
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
  // Controls the toolkit makes overlap where their template cells do not
  // (controls without an id cannot be found and are left out).
  void Check(TemplateDialog& dialog) {
    const wxRect client(dialog.Dialog()->GetClientSize());
    std::vector<const ControlTemplate*> shown;
    for (const ControlTemplate& entry : template_.controls) {
      wxWindow* window = dialog.Window(entry.id);
      if (entry.id == -1 || window == nullptr || !window->IsShown() || entry.kind == ControlKind::kGroupBox) continue;
      const wxRect rect = window->GetRect();
      EXPECT_TRUE(client.Contains(rect)) << name_ << ": control " << entry.id << " at " << rect.x << "," << rect.y;
      for (const ControlTemplate* other : shown) {
        if (!Cell(entry).Intersect(Cell(*other)).IsEmpty()) continue;
        const wxRect common = rect.Intersect(dialog.Window(other->id)->GetRect());
        EXPECT_TRUE(common.IsEmpty()) << name_ << ": control " << entry.id << " \"" << window->GetLabel()
                                      << "\" overlaps control " << other->id << " by " << common.width << "x"
                                      << common.height;
      }
      shown.push_back(&entry);
    }
  }

  // A control's cell in dialog units; a drop-down list's is its closed field.
  static wxRect Cell(const ControlTemplate& entry) {
    return {entry.x, entry.y, entry.cx, entry.kind == ControlKind::kComboBox ? kClosedComboHeight : entry.cy};
  }

  const DialogTemplate& template_;
  DialogLogic& inner_;
  std::string name_;
  wxTimer failSafe_;
};

void CheckLayout(const DialogTemplate& dialog, DialogLogic& logic, const std::string& name) {
  LayoutProbe probe(dialog, logic, name);
  WxDialogHost host(nullptr);
  EXPECT_EQ(host.RunModal(dialog, probe), kIdCancel) << name;
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
