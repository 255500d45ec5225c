// Helpers of the smoke tests: pumping events with a time limit, and a
// logic that plays the user in a real template dialog.
#pragma once

#include <functional>
#include <map>
#include <utility>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/stopwatch.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include "gui/template_dialog.h"
#include "gui/wx_dialog_host.h"

namespace varnik::testing {

// Processes events until `done` holds or `timeoutMs` passes; returns `done`.
inline bool PumpUntil(const std::function<bool()>& done, long timeoutMs = 3000) {
  wxStopWatch watch;
  while (!done()) {
    if (watch.Time() > timeoutMs) return false;
    wxTheApp->Yield(true);
    wxTheApp->ProcessIdle();
    wxMilliSleep(2);
  }
  return true;
}

// Processes the events that are pending now, for `ms` milliseconds.
inline void Pump(long ms = 50) { PumpUntil([] { return false; }, ms); }

inline constexpr int kFailSafe = -99;

// Forwards to the logic under test, counts the paints of each owner-drawn
// control, and once the dialog is up runs `play` as the user.  A fail-safe
// timer runs `onFailSafe` and ends a dialog that nothing else ends.
class Driver : public DialogLogic {
 public:
  Driver(DialogLogic& inner, std::function<void(TemplateDialog&)> play) : inner_(inner), play_(std::move(play)) {}

  void OnInit(DialogView& view) override {
    inner_.OnInit(view);
    auto& dialog = dynamic_cast<TemplateDialog&>(view);
    failSafe_.Bind(wxEVT_TIMER, [this, &dialog](wxTimerEvent&) {
      if (onFailSafe) onFailSafe();
      dialog.EndDialog(kFailSafe);
    });
    failSafe_.StartOnce(15000);
    dialog.Dialog()->CallAfter([this, &dialog] { play_(dialog); });
  }
  void OnCommand(DialogView& view, int id, int notification) override { inner_.OnCommand(view, id, notification); }
  void OnDrawItem(int id, Canvas& canvas, const Rect& rect) override {
    ++paints[id];
    inner_.OnDrawItem(id, canvas, rect);
  }

  std::map<int, int> paints;
  std::function<void()> onFailSafe;

 private:
  DialogLogic& inner_;
  std::function<void(TemplateDialog&)> play_;
  wxTimer failSafe_;
};

// The template control that holds the keyboard focus, or -1.
inline int FocusedControl(const TemplateDialog& shown, const DialogTemplate& dialog) {
  for (wxWindow* window = wxWindow::FindFocus(); window != nullptr; window = window->GetParent()) {
    for (const ControlTemplate& control : dialog.controls) {
      if (shown.Window(control.id) == window) return control.id;
    }
  }
  return -1;
}

// A click on a push button as the toolkit delivers it.
inline void Press(TemplateDialog& dialog, int id) {
  wxWindow* button = dialog.Window(id);
  wxCommandEvent click(wxEVT_BUTTON, button->GetId());
  click.SetEventObject(button);
  button->ProcessWindowEvent(click);
}

// The real dialog host, with `play` acting as the user in the modal dialogs
// of template `templateId` (of every template when it is 0); others run
// as they are.
class ScriptedHost : public DialogHost {
 public:
  ScriptedHost(wxWindow* owner, std::function<void(TemplateDialog&)> play, int templateId = 0)
      : real_(owner), play_(std::move(play)), templateId_(templateId) {}
  int RunModal(const DialogTemplate& dialog, DialogLogic& logic) override {
    if (templateId_ != 0 && dialog.id != templateId_) return real_.RunModal(dialog, logic);
    ++played;
    Driver driver(logic, play_);
    return real_.RunModal(dialog, driver);
  }
  std::unique_ptr<ModelessDialog> OpenModeless(const DialogTemplate& dialog, DialogLogic& logic,
                                               OwnerWindow* owner) override {
    return real_.OpenModeless(dialog, logic, owner);
  }
  int played = 0;  // modal dialogs played

 private:
  WxDialogHost real_;
  std::function<void(TemplateDialog&)> play_;
  int templateId_;
};

}  // namespace varnik::testing
