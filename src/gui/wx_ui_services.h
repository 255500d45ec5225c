// The toolkit's open-file dialog, message boxes, wait cursor and beep.
#pragma once

#include <wx/window.h>

#include "platform/ui_services.h"

namespace varnik {

class WxFileDialog : public FileDialog {
 public:
  explicit WxFileDialog(wxWindow* parent) : parent_(parent) {}
  std::optional<std::string> OpenFile(std::string_view title, std::string_view filter,
                                      std::string_view initialPath) override;

 private:
  wxWindow* parent_;
};

class WxMessageBoxes : public MessageBoxes {
 public:
  explicit WxMessageBoxes(wxWindow* parent) : parent_(parent) {}
  int Show(std::string_view text, std::string_view caption, unsigned flags) override;

 private:
  wxWindow* parent_;
};

class WxWaitCursor : public WaitCursor {
 public:
  void Begin() override;
  void End() override;
};

class WxBeeper : public Beeper {
 public:
  void Beep() override;
};

// Toolkit style bits for the classic message box flags.
long MessageBoxStyle(unsigned flags);
// The classic result for the toolkit's answer (wxOK, wxCANCEL, wxYES, wxNO).
int MessageBoxResult(int answer);

}  // namespace varnik
