#include "gui/main_frame.h"

#include <clocale>
#include <map>
#include <memory>

#include <wx/display.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>

#include "gui/accelerators.h"
#include "gui/app_icons.h"
#include "gui/client_canvas.h"
#include "gui/menu_bar.h"
#include "gui/toolkit_ids.h"
#include "gui/wx_string.h"
#include "shell/menu.h"
#include "texts/text_table.h"

namespace varnik {

// What the core asks of the window, in the core's ids and UTF-8 texts.
class MainFrame::Host final : public MainWindowHost {
 public:
  explicit Host(MainFrame& frame) : frame_(frame) {}

  void SetPopupText(int position, std::string_view text) override {
    wxMenuBar* bar = frame_.GetMenuBar();
    if (position >= 0 && static_cast<size_t>(position) < bar->GetMenuCount()) {
      bar->SetMenuLabel(static_cast<size_t>(position), MenuLabel(text));
    }
  }

  bool SetMenuItemText(int commandId, std::string_view text) override {
    wxMenuItem* item = frame_.GetMenuBar()->FindItem(ToToolkitId(commandId));
    if (item == nullptr) return false;
    item->SetItemLabel(MenuLabel(text));
    return true;
  }

  void CheckMenuItem(int commandId, bool checked) override {
    checks_[commandId] = checked;
    ApplyCheck(commandId);
  }

  // Puts back the check mark the core last set: the toolkit toggles check
  // items on its own when they are chosen, the program's menu does not.
  void ApplyCheck(int commandId) {
    const auto found = checks_.find(commandId);
    wxMenuItem* item = frame_.GetMenuBar()->FindItem(ToToolkitId(commandId));
    if (item == nullptr || !item->IsCheckable()) return;
    item->Check(found != checks_.end() && found->second);
  }

  // The check marks menu 110 starts with.
  void RememberResourceChecks() {
    for (const MenuPopup& popup : MainMenu()) {
      for (const MenuItem& item : popup.items) {
        if (IsCheckItem(item.id)) checks_[item.id] = item.checked;
      }
    }
  }

  void SetTitle(std::string_view title) override { frame_.SetTitle(ToWx(TitleText(title))); }

  void Repaint() override {
    if (frame_.client_ == nullptr) return;
    frame_.client_->Refresh(false);
    frame_.client_->Update();
  }

  void Destroy() override { frame_.Destroy(); }

  // The toolkit's own texts (file chooser, message-box buttons) follow the
  // interface language where the system has that language's locale.  Numbers
  // keep the C locale's form, which the program's files and texts use.
  void LanguageChanged(int language) override {
    locale_.reset();
    const int toolkitLanguage = language == kLanguageRussian   ? wxLANGUAGE_RUSSIAN
                                : language == kLanguageSerbian ? wxLANGUAGE_SERBIAN_CYRILLIC
                                                               : wxLANGUAGE_ENGLISH;
    if (wxLocale::IsAvailable(toolkitLanguage)) {
      wxLogNull quiet;  // a missing catalogue is no error worth a box
      locale_ = std::make_unique<wxLocale>(toolkitLanguage);
    }
    std::setlocale(LC_NUMERIC, "C");
  }

 private:
  MainFrame& frame_;
  std::map<int, bool> checks_;
  std::unique_ptr<wxLocale> locale_;
};

namespace {

// The classic default size of a new top-level window: about three quarters
// of the screen.
wxSize DefaultFrameSize() {
  const wxRect area = wxDisplay(0u).GetClientArea();
  return wxSize(area.width * 3 / 4, area.height * 3 / 4);
}

}  // namespace

MainFrame::MainFrame(PlotApi& plot, ChromosomePaintingApi& painting, ToolLauncher& tools)
    : wxFrame(nullptr, wxID_ANY, ToWx(kAppTitle), wxDefaultPosition, DefaultFrameSize()),
      host_(std::make_unique<Host>(*this)),
      logic_(std::make_unique<MainWindow>(*host_, plot, painting, tools)) {
  SetIcons(MakeAppIcons());
  SetBackgroundColour(*wxBLACK);
  SetMenuBar(BuildMenuBar());
  host_->RememberResourceChecks();
  client_ = new ClientCanvas(
      this, [this](Canvas& canvas) { logic_->Paint(canvas); },
      [this](unsigned x, unsigned y) { logic_->OnMouseMove(x, y); });
  client_->OnWheel([this](int x, int y, int steps) { logic_->OnMouseWheel(x, y, steps); });
  SetAcceleratorTable(BuildAcceleratorTable());
  Bind(wxEVT_MENU, &MainFrame::OnMenu, this);
  logic_->OnCreate();
}

MainFrame::~MainFrame() = default;

void MainFrame::Start() {
  Show();
  client_->SetFocus();
  host_->Repaint();
}

void MainFrame::OnMenu(wxCommandEvent& event) {
  const int commandId = FromToolkitId(event.GetId());
  if (!logic_->OnCommand(commandId)) {
    event.Skip();
    return;
  }
  if (IsCheckItem(commandId)) host_->ApplyCheck(commandId);
}

}  // namespace varnik
