// The main window: a frame with menu 110, accelerator table 1113 and a black
// client area.  Menu and accelerator commands, mouse moves and painting go
// to the core's MainWindow; the frame only translates at the boundary.
#pragma once

#include <memory>

#include <wx/frame.h>

#include "shell/main_window.h"

namespace varnik {

class ClientCanvas;

class MainFrame : public wxFrame {
 public:
  MainFrame(PlotApi& plot, ChromosomePaintingApi& painting, ToolLauncher& tools);
  ~MainFrame() override;

  // Shows the window, gives the client area the keyboard focus and paints.
  void Start();

  ClientCanvas* Client() const { return client_; }
  MainWindow& Logic() { return *logic_; }

 private:
  class Host;

  void OnMenu(wxCommandEvent& event);

  std::unique_ptr<Host> host_;
  std::unique_ptr<MainWindow> logic_;
  ClientCanvas* client_ = nullptr;
};

}  // namespace varnik
