// The haplotype search in real windows: the File menu's item opens it over
// the main window, and a typed haplotype fills the result box with the
// closest samples of the shipped collections.
#include <gtest/gtest.h>
#include <wx/menu.h>

#include <filesystem>
#include <functional>

#include "gui/main_frame.h"
#include "gui/toolkit_ids.h"
#include "gui/wx_dialog_host.h"
#include "gui/wx_ui_thread.h"
#include "gui_test_support.h"
#include "platform/fakes.h"
#include "platform/settings_store.h"
#include "platform/threads.h"
#include "predictor/haplotype_search.h"
#include "shell/app_state.h"
#include "shell/app_tools.h"
#include "shell/command_ids.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

TEST(SearchWindow, MenuItemOpensTheSearchAndASearchFillsTheResultBox) {
  if (!std::filesystem::exists(std::string(VARNIK_BIN_DIR) + "/" + SampleCollections()[0].fileName)) {
    GTEST_SKIP() << "the generated collections are missing";
  }
  ResetShellState();
  ResetCollectionComparison();
  g_poregjenjeHaplovrst.collectionsFolder = VARNIK_BIN_DIR;
  EmptyPlot plot;
  EmptyChromosomePainting painting;
  AppTools tools;
  MainFrame* frame = new MainFrame(plot, painting, tools);
  frame->Start();
  testing::PumpUntil([&] { return frame->IsShownOnScreen(); });
  const wxMenuItem* item = frame->GetMenuBar()->FindItem(ToToolkitId(kCmdHaplotypeSearch));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->GetItemLabelText().utf8_string(), TextById(kTextHaplotypeSearch) + "...");

  std::string results;
  testing::ScriptedHost host(frame, [&](TemplateDialog& dialog) {
    testing::PumpUntil([&] { return dialog.Dialog()->IsShownOnScreen(); }, 2000);
    dialog.SetSelection(kIdSearchOrder, 1);  // 17 markers, kit order
    dialog.SetText(kIdSearchInput, "15 13 24 31 17 16 14 15 13 10 11 21 11 12 16 10 20");
    testing::Press(dialog, kIdOk);
    testing::PumpUntil([&] { return !dialog.GetText(kIdSearchResults).empty(); });
    results = dialog.GetText(kIdSearchResults);
    dialog.EndDialog(kIdCancel);
  }, kHaplotypeSearchTemplate);
  FakeFileDialog files;
  FakeMessageBoxes boxes;
  FakeWaitCursor cursor;
  FakeBeeper beeper;
  MemorySettingsStore settings;
  WxUiThread ui;
  DetachedThreadStarter threads;
  WxWindowOwner owner(frame);
  tools.Connect({host, files, boxes, cursor, beeper, settings, ui, threads, owner}, frame->Logic());
  wxCommandEvent command(wxEVT_MENU, ToToolkitId(kCmdHaplotypeSearch));
  frame->ProcessWindowEvent(command);

  EXPECT_EQ(host.played, 1);
  EXPECT_NE(results.find("\r\n1. "), std::string::npos) << results;
  EXPECT_NE(results.find("DYS456 = 15"), std::string::npos) << results;
  frame->Destroy();
  testing::Pump(20);
  ResetCollectionComparison();
  ResetShellState();
}

}  // namespace
}  // namespace varnik
