// The entry point of the GUI program: one main window over the core.
#include <memory>
#include <string>

#include <wx/app.h>

#include "autosomal/painting_view.h"
#include "autosomal/comparison_draw.h"
#include "compress/zlib_unpacker.h"
#include "gui/main_frame.h"
#include "gui/wx_dialog_host.h"
#include "gui/wx_string.h"
#include "gui/wx_ui_services.h"
#include "gui/wx_ui_thread.h"
#include "plot/axes_loader.h"
#include "plot/process_plot.h"
#include "shell/app_state.h"
#include "shell/app_tools.h"
#include "shell/long_computation.h"
#include "shell/views.h"

namespace varnik {

class VarnikApp : public wxApp {
 public:
  bool OnInit() override {
    RegisterUnpacker();  // packed (.zip, .gz) genotype files
    auto* frame = new MainFrame(plot_, painting_, tools_);
    files_ = std::make_unique<WxFileDialog>(frame);
    messages_ = std::make_unique<WxMessageBoxes>(frame);
    dialogs_ = std::make_unique<WxDialogHost>(frame);
    settings_ = OpenUserSettings(g_registryRoot);
    mainOwner_ = std::make_unique<WxWindowOwner>(frame);
    tools_.Connect({*dialogs_, *files_, *messages_, cursor_, beeper_, *settings_, ui_, threads_, *mainOwner_},
                   frame->Logic());
    frame->Logic().SetGenomeComparison(&comparison_);
    frame->Logic().UseSettings(settings_.get());
    frame->Start();
    // "varnik FILE.ose" opens that computed-axes set.
    if (argc > 1) {
      const std::string path = FromWx(argv[1]);
      if (LoadComputedAxesFrom(path, cursor_, *messages_, [frame] { frame->Logic().UpdateWindowTitle(); })) {
        frame->Logic().Repaint();
      }
    }
    return true;
  }

  int OnExit() override {
    // The progress dialog goes before the toolkit does.
    ResetProgressState();
    return wxApp::OnExit();
  }

 private:
  ProcessPlot plot_;
  ProcessChromosomePainting painting_;
  AppTools tools_;
  ProcessGenomeComparison comparison_;
  std::unique_ptr<WxFileDialog> files_;
  std::unique_ptr<WxMessageBoxes> messages_;
  std::unique_ptr<WxDialogHost> dialogs_;
  std::unique_ptr<WxWindowOwner> mainOwner_;
  std::unique_ptr<SettingsStore> settings_;
  WxWaitCursor cursor_;
  WxBeeper beeper_;
  WxUiThread ui_;
  DetachedThreadStarter threads_;
};

}  // namespace varnik

wxIMPLEMENT_APP(varnik::VarnikApp);
