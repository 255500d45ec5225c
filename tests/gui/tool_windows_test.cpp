// The tool dialogs in real windows: every template in every interface
// language lays out without overlaps, the age estimator and the predictor
// compute from what is typed, and a long computation runs on a real worker
// behind the real progress dialog.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cstdlib>
#ifdef __WXGTK3__
#include <dlfcn.h>
#endif
#include <filesystem>

#include "autosomal/admixture_dialog.h"
#include "autosomal/comparison_dialog.h"
#include "autosomal/painting_dialog.h"
#include "gui/dialog_controls.h"
#include "gui/wx_dialog_host.h"
#include "gui/wx_ui_thread.h"
#include "gui_test_support.h"
#include "platform/fakes.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "platform/threads.h"
#include "predictor/haplotype_search.h"
#include "predictor/predictor_dialog.h"
#include "shell/app_state.h"
#include "shell/long_computation.h"
#include "shell/progress_dialog.h"
#include "texts/text_table.h"
#include "tmrca/tmrca_dialog.h"

namespace varnik {
namespace {

// The services the tools run on: the toolkit's thread, detached workers, and
// message boxes answered without a modal box.
struct Services {
  MemorySettingsStore settings;
  WxUiThread ui;
  DetachedThreadStarter threads;
  FakeMessageBoxes boxes;
  WxDialogHost host{nullptr};
  ComputationLauncher launcher{host, ui, threads, boxes};
};

// Points the program folder, where the age estimator writes, at a fresh
// temporary folder; removes it at the end.
class ProgramFolder {
 public:
  explicit ProgramFolder(const char* name) : path(std::filesystem::temp_directory_path() / name) {
    std::filesystem::create_directories(path);
    SetProgramFolder(path.string());
    ResetTmrcaState();
  }
  ~ProgramFolder() {
    ResetProgressState();
    ResetTmrcaState();
    SetProgramFolder("");
    std::filesystem::remove_all(path);
  }
  const std::filesystem::path path;
};

const PredictorModels* ShippedModels() {
  static PredictorModels models;
  static const bool loaded = LoadPredictorModels(models, VARNIK_BIN_DIR);
  return loaded ? &models : nullptr;
}

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
    EXPECT_TRUE(client.Contains(rect)) << name << ": control " << entry.id;
    for (const ControlTemplate* other : placed) {
      // A template may give two controls one id; only the first is found.
      if (other->id == entry.id || !cell(entry).Intersect(cell(*other)).IsEmpty()) continue;
      const wxRect common = rect.Intersect(shown.Window(other->id)->GetRect());
      EXPECT_TRUE(common.IsEmpty()) << name << ": control " << entry.id << " overlaps control " << other->id;
    }
    placed.push_back(&entry);
  }
}

#ifdef __WXGTK3__
template <typename Function>
Function Gtk(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

// Whether the toolkit shows a control's text cut: its label is ellipsized,
// or its laid-out text is wider than the room the label was given.  Labels
// are the control itself (static texts), a button's or check box's child,
// or a group box's caption.
bool TextIsCut(wxWindow* window) {
  using Widget = void*;
  const auto isA = Gtk<int (*)(Widget, unsigned long)>("g_type_check_instance_is_a");
  const auto labelType = Gtk<unsigned long (*)()>("gtk_label_get_type");
  const auto binType = Gtk<unsigned long (*)()>("gtk_bin_get_type");
  const auto frameType = Gtk<unsigned long (*)()>("gtk_frame_get_type");
  const auto child = Gtk<Widget (*)(Widget)>("gtk_bin_get_child");
  const auto frameLabel = Gtk<Widget (*)(Widget)>("gtk_frame_get_label_widget");
  const auto layoutOf = Gtk<void* (*)(Widget)>("gtk_label_get_layout");
  const auto ellipsized = Gtk<int (*)(void*)>("pango_layout_is_ellipsized");
  const auto pixelSize = Gtk<void (*)(void*, int*, int*)>("pango_layout_get_pixel_size");
  const auto allocated = Gtk<int (*)(Widget)>("gtk_widget_get_allocated_width");
  if (!isA || !labelType || !binType || !frameType || !child || !frameLabel || !layoutOf || !ellipsized ||
      !pixelSize || !allocated) {
    ADD_FAILURE() << "GTK functions missing";
    return false;
  }
  Widget label = window->GetHandle();
  if (label != nullptr && isA(label, frameType())) {
    label = frameLabel(label);
  } else if (label != nullptr && isA(label, binType())) {
    label = child(label);
  }
  if (label == nullptr || !isA(label, labelType())) return false;
  void* layout = layoutOf(label);
  if (layout == nullptr) return false;
  int width = 0, height = 0;
  pixelSize(layout, &width, &height);
  return ellipsized(layout) != 0 || width > allocated(label);
}
#else
bool TextIsCut(wxWindow*) { return false; }
#endif

// No text of a shown dialog is cut, and no dialog is wider than 1,000
// pixels.
void CheckTexts(TemplateDialog& shown, const DialogTemplate& dialog, const std::string& name) {
  EXPECT_LE(shown.Dialog()->GetSize().x, 1000) << name;
  for (const ControlTemplate& entry : dialog.controls) {
    wxWindow* window = shown.Window(entry.id);
    if (window == nullptr || !window->IsShown()) continue;
    EXPECT_FALSE(TextIsCut(window)) << name << ": control " << entry.id << " \"" << window->GetLabel() << "\" is cut";
    if (entry.kind == ControlKind::kComboBox) {
      EXPECT_GE(window->GetSize().x, window->GetBestSize().x) << name << ": list " << entry.id << " is cut";
    }
  }
}

// With VARNIK_SCREENSHOT_DIR set, saves the whole screen with the shown
// dialog as NAME.png there (with the "import" tool), for a person to look at.
void SaveScreenshot(TemplateDialog& shown, const std::string& name) {
  const char* folder = std::getenv("VARNIK_SCREENSHOT_DIR");
  if (folder == nullptr) return;
  shown.Dialog()->Raise();
  testing::Pump(300);
  const std::string command = "import -window root '" + std::string(folder) + "/" + name + ".png'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

// Runs the logic's set-up, then looks at the shown dialog and ends it.
void CheckLayout(const DialogTemplate& dialog, DialogLogic& logic, const std::string& name) {
  testing::Driver probe(logic, [&](TemplateDialog& shown) {
    testing::PumpUntil([&] { return shown.Dialog()->IsShownOnScreen(); }, 2000);
    testing::Pump(200);
    CheckControls(shown, dialog, name);
    CheckTexts(shown, dialog, name);
    SaveScreenshot(shown, name);
    shown.EndDialog(kIdCancel);
  });
  EXPECT_EQ(WxDialogHost(nullptr).RunModal(dialog, probe), kIdCancel) << name;
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

// Restores the interface language when a test ends.
class DialogLayout : public ::testing::TestWithParam<int32_t> {
 protected:
  DialogLayout() { g_language = GetParam(); }
  ~DialogLayout() override { g_language = kLanguageSerbian; }
  std::string Name(const char* dialog) const { return dialog + std::to_string(GetParam()); }
};

TEST_P(DialogLayout, ControlsDoNotOverlap) {
  Services services;
  if (const PredictorModels* models = ShippedModels()) {
    CPredvigjacDialog predictor(*models, services.settings);
    CheckLayout(PredictorTemplate(), predictor, Name("predictor"));
  }
  ProgramFolder folder("varnik_dialog_layout_tmrca");
  TmrcaDialog tmrca(services.settings, services.launcher, services.ui, services.boxes);
  CheckLayout(TmrcaTemplate(), tmrca, Name("tmrca"));
  FakeFileDialog files;
  AdmixtureDialog admixture(services.settings, files);
  CheckLayout(AdmixtureTemplate(), admixture, Name("admixture"));
  CPretragaHaplovrstDialog search(services.host, services.settings, g_poregjenjeHaplovrst);
  CheckLayout(HaplotypeSearchTemplate(), search, Name("search"));
  std::vector<bool> collections(kCollectionCount, true);
  CIzborZbirkiDialog chooser(collections, -1);
  CheckLayout(CollectionChooserTemplate(), chooser, Name("chooser"));
  ComparisonDialog comparison(services.settings, files);
  CheckLayout(ComparisonTemplate(), comparison, Name("comparison"));
  PaintingDialog painting(services.settings, files);
  CheckLayout(PaintingTemplate(), painting, Name("painting"));
  FinishedProgress progress;
  CheckLayout(ProgressTemplateTmrca(), progress, Name("progress_tmrca"));
  CheckLayout(ProgressTemplateAdmixture(), progress, Name("progress_admixture"));
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogLayout,
                         ::testing::Values(kLanguageSerbian, kLanguageEnglish, kLanguageRussian));

// A calculation on the worker thread fills the result box, paints the graph
// and writes the results file.  (Stopping a run is covered below.)
TEST(TmrcaWindow, CalculationOnTheWorkerFillsReportAndGraph) {
  ProgramFolder folder("varnik_tmrca_window");
  Services services;
  TmrcaDialog logic(services.settings, services.launcher, services.ui, services.boxes);
  std::string report;
  int paintsBefore = 0;
  testing::Driver driver(logic, [&](TemplateDialog& dialog) {
    dialog.SetText(kIdTmrcaDescendants,
                   "13 24 14 11 11-14 12 12 12 13 13 29\r\n"
                   "13 25 14 11 11-14 12 12 12 13 13 30\r\n"
                   "14 24 14 10 11-15 12 12 12 13 13 29\r\n");
    dialog.SetText(kIdTmrcaAncestor, "13 24 14 11 11-14 12 12 12 13 13 29");
    paintsBefore = driver.paints[kIdTmrcaGraph];
    testing::Press(dialog, kIdOk);
    // The report arrives and the dialog is enabled again.
    EXPECT_TRUE(testing::PumpUntil([&] { return !dialog.GetText(kIdTmrcaResult).empty() && dialog.IsWindowEnabled(); },
                                   12000));
    testing::Pump(100);
    report = dialog.GetText(kIdTmrcaResult);
    dialog.EndDialog(kIdCancel);
  });
  EXPECT_EQ(services.host.RunModal(TmrcaTemplate(), driver), kIdCancel);
  EXPECT_NE(report.find('%'), std::string::npos) << report;
  EXPECT_GT(driver.paints[kIdTmrcaGraph], paintsBefore);
  EXPECT_TRUE(std::filesystem::exists(folder.path / "TMRCA_results.txt"));
}

// Driven by keys from the display server: the dialog opens with the focus in
// the input box, Enter there ranks the branches of a typed 23-marker
// haplotype, and Escape closes.
TEST(PredictorWindow, KeyboardRanksTheBranchesOfATypedHaplotype) {
  const PredictorModels* models = ShippedModels();
  if (models == nullptr) GTEST_SKIP() << "the shipped models are not built";
  MemorySettingsStore settings;
  CPredvigjacDialog logic(*models, settings);
  int focused = -1;
  std::string results;
  testing::Driver driver(logic, [&](TemplateDialog& dialog) {
    testing::PumpUntil([&] { return dialog.Dialog()->IsShownOnScreen(); }, 2000);
    testing::Pump(100);
    wxUIActionSimulator keys;
    focused = testing::FocusedControl(dialog, PredictorTemplate());
    dialog.SetSelection(kIdInputOrder, 4);  // 23 markers, kit order
    logic.OnCommand(dialog, kIdInputOrder, kNotifySelChange);
    dialog.SetText(kIdPredictorInput, "14 13 29 24 11 13 13 11-14 15 12 12 19 16 17 23 12 22 12 12 18 17 10");
    keys.Char(WXK_RETURN);
    testing::PumpUntil([&] { return !dialog.GetText(kIdPredictorResults).empty(); });
    results = dialog.GetText(kIdPredictorResults);
    keys.Char(WXK_ESCAPE);
  });
  EXPECT_EQ(WxDialogHost(nullptr).RunModal(PredictorTemplate(), driver), kIdCancel);
  EXPECT_EQ(focused, kIdPredictorInput);
  // Ranked lines: a branch name and its probability in percent on each.
  EXPECT_NE(results.find("%"), std::string::npos) << results;
  EXPECT_NE(results.find("R1b"), std::string::npos) << results;
  EXPECT_GE(std::count(results.begin(), results.end(), '\n'), 3) << results;
}

TemplateDialog& ProgressDialog() { return dynamic_cast<TemplateDialog&>(g_progress.dialog->View()); }

// The shipped example genome with the example calculator, from the dialog
// to the list of shares in the progress dialog, on a real worker.
TEST(AdmixtureWindow, ExampleGenomeRunsToItsListOfShares) {
  const std::string bin = VARNIK_BIN_DIR;
  if (!std::filesystem::exists(bin + "/Svet6.par")) GTEST_SKIP() << "the example data is not built";
  ResetProgressState();
  ResetAutosomalState();
  Services services;
  WriteSettingText(services.settings, "StazaUzorka", bin + "/Primer genoma - 23andMe.txt");
  WriteSettingText(services.settings, "StazaRacunaca", bin + "/Svet6.par");
  // OK is pressed in the dialog once it is on screen.
  testing::ScriptedHost host(nullptr, [](TemplateDialog& shown) {
    testing::PumpUntil([&] { return shown.Dialog()->IsShownOnScreen(); }, 2000);
    testing::Press(shown, kIdOk);
  });
  FakeFileDialog files;
  FakeBeeper beeper;
  wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "main");
  frame->Show();
  WxWindowOwner mainWindow(frame);
  OpenAdmixture({host, files, services.settings, services.boxes, beeper, services.ui, services.threads, mainWindow});
  ASSERT_NE(g_progress.dialog, nullptr);
  EXPECT_FALSE(frame->IsEnabled());
  wxWindow* end = ProgressDialog().Window(kIdOk);
  EXPECT_TRUE(testing::PumpUntil([&] { return end->IsShown(); }, 20000));
  const std::string shares = ProgressDialog().GetText(kIdRunningResults);
  EXPECT_EQ(shares.rfind("South_Asian:", 0), 0u) << shares;
  EXPECT_EQ(beeper.beeps, 1);
  testing::Press(ProgressDialog(), kIdOk);
  EXPECT_TRUE(testing::PumpUntil([&] { return frame->IsEnabled(); }, 2000));
  frame->Destroy();
  ResetProgressState();
  ResetAutosomalState();
}

// 200 steps of 5 ms, polling the stop flag and showing "%d%%" on line 2.
bool CountToTwoHundred(std::atomic<int>& stop, ProgressSink& progress) {
  for (int step = 0; step < 200; ++step) {
    if (stop != 0) return false;
    progress.SetStatusLine(2, std::to_string(step / 2) + "%");
    wxMilliSleep(5);
  }
  return true;
}


// Started from a modal tool dialog as the tools do; the stop button ends it
// and the result box says where it stopped.
TEST(LongComputationGui, StopButtonEndsARunningWorker) {
  constexpr int kResultBox = 1020;
  DialogTemplate toolTemplate;
  toolTemplate.id = 901;
  toolTemplate.cx = 200;
  toolTemplate.cy = 120;
  toolTemplate.controls = {{kResultBox, ControlKind::kEdit, 5, 5, 190, 40, kStyleMultiLine | kStyleReadOnly, ""}};
  ResetShellState();
  ResetProgressState();
  Services services;
  std::string line2, stopped;
  g_language = kLanguageRussian;
  DialogLogic plain;  // the tool's own logic does not matter here
  testing::Driver driver(plain, [&](TemplateDialog& tool) {
    tool.SetText(kResultBox, "an earlier report");
    ASSERT_TRUE(services.launcher.StartTmrca(tool, CountToTwoHundred, [] { return std::string("report"); }));
    EXPECT_FALSE(tool.IsWindowEnabled());
    wxWindow* stop = ProgressDialog().Window(kIdStopButton);
    EXPECT_TRUE(testing::PumpUntil([&] { return stop->IsShownOnScreen(); }, 2000));
    // Line 2 moves on while the user-interface thread stays responsive.
    testing::PumpUntil([] { return std::atoi(ProgressDialog().GetText(kIdStatusLine2).c_str()) >= 3; }, 3000);
    line2 = ProgressDialog().GetText(kIdStatusLine2);
    // Escape and the close box leave the progress dialog as it is.
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    ProgressDialog().Dialog()->ProcessWindowEvent(escape);
    ProgressDialog().Dialog()->Close();
    testing::Pump(50);
    EXPECT_TRUE(g_progress.dialog->IsOpen() && g_progress.stop == 0);
    wxUIActionSimulator mouse;
    mouse.MouseMove(stop->GetScreenRect().GetPosition() + wxPoint(5, 5));
    testing::Pump(30);
    mouse.MouseClick();
    testing::PumpUntil([] { return g_progress.dialog == nullptr; }, 3000);
    stopped = tool.GetText(kResultBox);
    EXPECT_TRUE(tool.IsWindowEnabled());
    tool.EndDialog(kIdOk);
  });
  // A broken run must not hang the tests: stop it and wait for its end step.
  driver.onFailSafe = [] {
    g_progress.stop = 1;
    testing::PumpUntil([] { return g_progress.dialog == nullptr; }, 3000);
  };
  EXPECT_EQ(services.host.RunModal(toolTemplate, driver), kIdOk);
  EXPECT_FALSE(line2.empty());
  EXPECT_NE(line2, "99%") << "the run was not stopped";
  EXPECT_EQ(g_progress.stop.load(), 1);
  // The result box says, in the interface language, where the run stopped:
  // at the percentage last shown, or later.
  const std::string stoppedAt = "Расчёт прерван на ";
  ASSERT_EQ(stopped.rfind(stoppedAt, 0), 0u) << stopped;
  EXPECT_GE(std::atoi(stopped.c_str() + stoppedAt.size()), std::atoi(line2.c_str())) << stopped;
  EXPECT_NE(stopped.find('%'), std::string::npos) << stopped;
  g_language = kLanguageSerbian;
  ResetProgressState();
}

}  // namespace
}  // namespace varnik
