// Small files for the autosomal tests, written into a folder of the test's
// own name.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "autosomal/admixture_data.h"
#include "autosomal/admixture_dialog.h"
#include "platform/dialog.h"
#include "platform/fakes.h"
#include "platform/thread_fakes.h"
#include "autosomal_sample.h"

namespace varnik {

class AutosomalFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              (std::string("varnik_autosomal_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    context.language = 1;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // Loads `calculator` (a file name in the folder) and `sample` for the
  // admixture; the data is left in `data`.
  bool Load(const std::string& calculator, const std::string& sample, int mode = kLoadForAdmixture) {
    data = CProracunPoreklaOdsecaka();
    data.calculatorPath = (folder_ / calculator).string();
    data.samplePath = (folder_ / sample).string();
    return data.LoadAdmixtureInputs(mode, context);
  }

  std::filesystem::path folder_;
  CProracunPoreklaOdsecaka data;
  AdmixtureRunContext context;
};

// A text calculator of two populations, "P1" and "P2", and the given SNP
// lines, with `end` after every line.
inline std::string TwoPopulationCalculator(const std::string& snpLines, const std::string& end = "\n") {
  return "2" + end + "P1,255,0,0" + end + "P2,0,0,255" + end + snpLines;
}

// The window that owns a run: disabled while the worker computes.
class FakeOwner : public OwnerWindow {
 public:
  bool enabled = true;
  void EnableWindow(bool enable) override { enabled = enable; }
  bool IsWindowEnabled() override { return enabled; }
  void FocusWindow() override {}
};

// What a tool's run needs, all fakes; the worker runs in place and the
// posted functions run with ui.RunPending().
struct FakeToolServices {
  FakeDialogHost host;
  FakeFileDialog files;
  MemorySettingsStore settings;
  FakeMessageBoxes messages;
  FakeBeeper beeper;
  FakeUiThread ui;
  SynchronousThreadStarter threads;
  FakeOwner mainWindow;
  AdmixtureServices Services() { return {host, files, settings, messages, beeper, ui, threads, mainWindow}; }
};

using datagen::SimulatedSample;

}  // namespace varnik
