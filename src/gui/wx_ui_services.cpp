#include "gui/wx_ui_services.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "gui/wx_string.h"

namespace varnik {

std::optional<std::string> WxFileDialog::OpenFile(std::string_view title, std::string_view filter,
                                                  std::string_view initialPath) {
  // The toolkit's wildcard pairs a description with the pattern.
  wxString wildcard = ToWx(filter);
  if (!wildcard.Contains("|")) wildcard = wildcard + "|" + wildcard;
  wxString folder, file;
  const wxString initial = ToWx(initialPath);
  if (wxFileName::DirExists(initial)) {
    folder = initial;
  } else if (!initial.empty()) {
    const wxFileName name(initial);
    folder = name.GetPath();
    file = name.GetFullName();
  }
  wxFileDialog dialog(parent_, ToWx(title), folder, file, wildcard, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return FromWx(dialog.GetPath());
}

long MessageBoxStyle(unsigned flags) {
  long style = 0;
  switch (flags & 0x0Fu) {
    case kMbOkCancel: style = wxOK | wxCANCEL; break;
    case kMbYesNo: style = wxYES_NO; break;
    default: style = wxOK; break;
  }
  switch (flags & 0xF0u) {
    case kMbIconError: style |= wxICON_ERROR; break;
    case kMbIconQuestion: style |= wxICON_QUESTION; break;
    case kMbIconWarning: style |= wxICON_WARNING; break;
    case kMbIconInformation: style |= wxICON_INFORMATION; break;
    default: style |= wxICON_NONE; break;
  }
  return style;
}

int MessageBoxResult(int answer) {
  switch (answer) {
    case wxCANCEL: return kMbResultCancel;
    case wxYES: return kMbResultYes;
    case wxNO: return kMbResultNo;
    default: return kMbResultOk;
  }
}

int WxMessageBoxes::Show(std::string_view text, std::string_view caption, unsigned flags) {
  return MessageBoxResult(wxMessageBox(ToWx(text), ToWx(caption), MessageBoxStyle(flags), parent_));
}

void WxWaitCursor::Begin() { wxBeginBusyCursor(); }

void WxWaitCursor::End() { wxEndBusyCursor(); }

void WxBeeper::Beep() { wxBell(); }

}  // namespace varnik
