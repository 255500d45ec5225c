// The smoke tests run inside a wx application whose main loop never runs:
// each test pumps events itself (gui_test_support.h).  They need a display;
// run them under xvfb-run.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/image.h>

namespace {

// A failed toolkit assertion fails the running test instead of opening a
// message box that nobody closes.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
  ADD_FAILURE() << "toolkit assertion " << cond.utf8_string() << " (" << msg.utf8_string() << ") in "
                << func.utf8_string() << " at " << file.utf8_string() << ":" << line;
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) return fprintf(stderr, "cannot start the toolkit (no display?)\n"), 1;
  wxSetAssertHandler(FailOnAssert);
  wxTheApp->CallOnInit();
  // Tests close their windows; the application outlives them.
  wxTheApp->SetExitOnFrameDelete(false);
  int result = 0;
  {
    // An active event loop lets tests yield and run modal dialogs.
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    result = RUN_ALL_TESTS();
  }
  wxEntryCleanup();
  return result;
}
