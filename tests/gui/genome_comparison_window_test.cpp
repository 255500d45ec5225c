// The genome comparison from the main menu in real windows: the dialog
// opens from the menu command, two shipped example genomes are compared on
// the worker behind the progress dialog, and the main window draws the
// result.
#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/weakref.h>

#include <filesystem>

#include "autosomal/comparison_dialog.h"
#include "autosomal/comparison_draw.h"
#include "gui/client_canvas.h"
#include "gui/main_frame.h"
#include "gui/toolkit_ids.h"
#include "gui/wx_dialog_host.h"
#include "gui/wx_ui_thread.h"
#include "gui_test_support.h"
#include "platform/fakes.h"
#include "platform/program_folder.h"
#include "platform/threads.h"
#include "shell/app_state.h"
#include "shell/app_tools.h"
#include "shell/command_ids.h"
#include "shell/long_computation.h"

namespace varnik {
namespace {

TEST(GenomeComparisonWindow, MenuCommandComparesTwoExampleGenomesAndTheMainWindowDrawsThem) {
  const std::filesystem::path bin = VARNIK_BIN_DIR;
  if (!std::filesystem::exists(bin / "PolozajiSNPov.txt")) GTEST_SKIP() << "the shipped data is not built";
  // Reports go to a temporary program folder that holds the shipped map.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "varnik_comparison_window";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(bin / "PolozajiSNPov.txt", folder / "PolozajiSNPov.txt",
                             std::filesystem::copy_options::overwrite_existing);
  SetProgramFolder(folder.string());
  ResetShellState();
  ResetProgressState();
  ResetGenomeComparisonState();

  EmptyPlot plot;
  EmptyChromosomePainting painting;
  AppTools tools;
  auto* frame = new MainFrame(plot, painting, tools);
  wxWeakRef<MainFrame> frameRef(frame);
  ProcessGenomeComparison view;
  frame->Logic().SetGenomeComparison(&view);
  testing::ScriptedHost host(frame, [&](TemplateDialog& dialog) {
    dialog.SetText(kIdComparisonSlotPath + 0, (bin / "Primer genoma - FTDNA.csv").string());
    dialog.SetChecked(kIdComparisonSlotCheck + 0, true);
    dialog.SetText(kIdComparisonSlotPath + 1, (bin / "Primer genoma - 23andMe.txt").string());
    dialog.SetChecked(kIdComparisonSlotCheck + 1, true);
    testing::Press(dialog, kIdOk);
  });
  FakeFileDialog files;
  FakeMessageBoxes messages;
  FakeWaitCursor cursor;
  FakeBeeper beeper;
  MemorySettingsStore settings;
  WxUiThread ui;
  DetachedThreadStarter threads;
  WxWindowOwner owner(frame);
  tools.Connect({host, files, messages, cursor, beeper, settings, ui, threads, owner}, frame->Logic());
  frame->Start();
  ASSERT_TRUE(testing::PumpUntil([&] { return frame->IsShownOnScreen(); }));
  EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(ToToolkitId(kCmdGenomeComparison)));

  wxCommandEvent command(wxEVT_MENU, ToToolkitId(kCmdGenomeComparison));
  frame->ProcessWindowEvent(command);
  EXPECT_EQ(host.played, 1);
  EXPECT_TRUE(testing::PumpUntil(
      [&] { return g_genomeComparison.HasResults() && g_progress.dialog == nullptr && frame->IsEnabled(); }, 20000));
  EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
  EXPECT_TRUE(std::filesystem::exists(folder / "Ishodi poregjenj.txt"));
  testing::Pump(100);

  // The first result's rows are green where runs were found and dark grey
  // or white elsewhere; the area left of the bands stays black but for the
  // chromosome numbers.
  const wxImage image = frame->Client()->RenderBackBuffer().ConvertToImage();
  int green = 0, grey = 0;
  for (int y = 0; y < image.GetHeight(); ++y) {
    for (int x = 40; x < image.GetWidth() - 25; ++x) {
      const int r = image.GetRed(x, y), g = image.GetGreen(x, y), b = image.GetBlue(x, y);
      if (g > 200 && r == b && r < g) ++green;
      if (r == 64 && g == 64 && b == 64) ++grey;
    }
  }
  EXPECT_GT(green + grey, 1000);

  if (frameRef) frame->Destroy();
  testing::Pump(20);
  ResetProgressState();
  ResetGenomeComparisonState();
  ResetShellState();
  SetProgramFolder("");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace varnik
