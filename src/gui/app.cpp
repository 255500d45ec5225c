// The entry point of the GUI program: one main window over the core.
#include <wx/app.h>

#include "gui/main_frame.h"
#include "shell/views.h"

namespace varnik {

class VarnikApp : public wxApp {
 public:
  bool OnInit() override {
    auto* frame = new MainFrame(plot_, painting_, tools_);
    frame->Start();
    return true;
  }

 private:
  EmptyPlot plot_;
  EmptyChromosomePainting painting_;
  NoTools tools_;
};

}  // namespace varnik

wxIMPLEMENT_APP(varnik::VarnikApp);
