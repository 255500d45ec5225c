// The chromosome painting in real windows: the File menu opens its dialog,
// the run goes on a worker behind the progress dialog, and the main window
// then shows the painting; the drawing mode command switches levelling.
#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/weakref.h>

#include <set>
#include <tuple>

#include "autosomal/painting_dialog.h"
#include "autosomal/painting_view.h"
#include "gui/client_canvas.h"
#include "gui/main_frame.h"
#include "gui/toolkit_ids.h"
#include "gui/wx_dialog_host.h"
#include "gui/wx_ui_thread.h"
#include "gui_test_support.h"
#include "platform/fakes.h"
#include "platform/settings_store.h"
#include "shell/app_state.h"
#include "shell/app_tools.h"
#include "shell/command_ids.h"
#include "shell/long_computation.h"

namespace varnik {
namespace {

// The distinct population colours among the pixels of the main window.
int PopulationColoursShown(MainFrame& frame) {
  const wxImage image = frame.Client()->RenderBackBuffer().ConvertToImage();
  std::set<std::tuple<int, int, int>> wanted, found;
  for (const uint32_t c : g_chromosomePainting.populationColours) wanted.insert({c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF});
  const unsigned char* rgb = image.GetData();
  for (int i = 0; i < image.GetWidth() * image.GetHeight(); ++i) {
    const std::tuple<int, int, int> pixel{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]};
    if (wanted.count(pixel) != 0) found.insert(pixel);
  }
  return static_cast<int>(found.size());
}

TEST(PaintingWindow, TheMenuPaintsTheExampleGenomeInTheMainWindow) {
  ResetShellState();
  ResetAutosomalState();
  ResetProgressState();
  EmptyPlot plot;
  ProcessChromosomePainting painting;
  AppTools tools;
  auto* frame = new MainFrame(plot, painting, tools);
  frame->SetClientSize(1000, 700);
  wxWeakRef<MainFrame> frameRef(frame);
  testing::ScriptedHost host(frame, [](TemplateDialog& dialog) {
    testing::PumpUntil([&] { return dialog.Dialog()->IsShownOnScreen(); }, 2000);
    dialog.SetText(kIdAdmixtureSamplePath, std::string(VARNIK_BIN_DIR) + "/Primer genoma - 23andMe.txt");
    dialog.SetText(kIdAdmixtureCalculatorPath, std::string(VARNIK_BIN_DIR) + "/Poreklo odsecaka - Svet 6.txt");
    testing::Press(dialog, kIdOk);
  }, kPaintingTemplateId);
  FakeFileDialog files;
  FakeMessageBoxes boxes;
  FakeWaitCursor cursor;
  FakeBeeper beeper;
  MemorySettingsStore settings;
  WxUiThread ui;
  DetachedThreadStarter threads;
  WxWindowOwner owner(frame);
  tools.Connect({host, files, boxes, cursor, beeper, settings, ui, threads, owner}, frame->Logic());
  frame->Start();
  testing::PumpUntil([&] { return frame->IsShownOnScreen(); });
  EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(ToToolkitId(kCmdChromosomePainting)));
  EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(ToToolkitId(kCmdChangeDrawingMode)));
  const auto command = [&](int id) {
    wxCommandEvent event(wxEVT_MENU, ToToolkitId(id));
    frame->ProcessWindowEvent(event);
  };

  command(kCmdChromosomePainting);
  EXPECT_EQ(host.played, 1);
  // The end step closes the progress dialog and enables the main window.
  EXPECT_TRUE(testing::PumpUntil(
      [&] { return g_chromosomePainting.paintingReady == 1 && g_progress.dialog == nullptr && frame->IsEnabled(); },
      30000));
  testing::Pump(100);
  EXPECT_EQ(boxes.shown.size(), 0u);
  EXPECT_GE(PopulationColoursShown(*frame), 3);

  // Levelling on, one step up, and off again.
  command(kCmdChangeDrawingMode);
  EXPECT_EQ(g_chromosomePainting.drawLevelled, 1);
  command(kCmdNextXAxis);
  EXPECT_EQ(g_chromosomePainting.levellingFactor, 60);
  EXPECT_GE(PopulationColoursShown(*frame), 2);
  command(kCmdChangeDrawingMode);
  EXPECT_EQ(g_chromosomePainting.drawLevelled, 0);

  if (frameRef) frame->Destroy();
  testing::Pump(20);
  ResetAutosomalState();
  ResetShellState();
}

}  // namespace
}  // namespace varnik
