// Stand-ins for the user interface, for tests, benchmarks and the command
// line: they record what was asked and answer from a script.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/ui_services.h"

namespace varnik {

class FakeFileDialog : public FileDialog {
 public:
  struct Request {
    std::string title, filter, initialPath;
  };
  // Answers in order; when none are left the user cancels.
  std::deque<std::optional<std::string>> answers;
  std::vector<Request> requests;

  std::optional<std::string> OpenFile(std::string_view title, std::string_view filter,
                                      std::string_view initialPath) override {
    requests.push_back({std::string(title), std::string(filter), std::string(initialPath)});
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::string text, caption;
    unsigned flags;
  };
  std::vector<Shown> shown;
  int answer = kMbResultOk;

  int Show(std::string_view text, std::string_view caption, unsigned flags) override {
    shown.push_back({std::string(text), std::string(caption), flags});
    return answer;
  }
};

class FakeWaitCursor : public WaitCursor {
 public:
  int begun = 0, ended = 0;
  void Begin() override { ++begun; }
  void End() override { ++ended; }
};

class FakeBeeper : public Beeper {
 public:
  int beeps = 0;
  void Beep() override { ++beeps; }
};

// A dialog without a window: controls are built from the template and hold
// their state in memory.  Tests act as the user through Click, Type and
// Select, which notify the logic as the real dialog would.
class FakeDialogView : public DialogView {
 public:
  struct Control {
    ControlKind kind = ControlKind::kStatic;
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::vector<std::string> items;
    int selection = -1;
    int redraws = 0;
    std::size_t textLimit = 0;  // 0: none
  };

  FakeDialogView(const DialogTemplate& dialog, DialogLogic& logic);

  // Runs the logic's OnInit.
  void Init();
  // The user clicks button `id` (ignored when it is disabled or hidden).
  void Click(int id);
  // The user replaces the text of edit box `id`; the logic sees the change
  // and, when `leave` is set, the loss of focus.  Characters beyond the
  // box's limit are cut off, as they cannot be typed.
  void Type(int id, std::string_view text, bool leave = false);
  // The user selects item `index` of a list.
  void Select(int id, int index);
  // Paints owner-drawn control `id` of the given size onto `canvas`.
  void Draw(int id, Canvas& canvas, const Rect& rect);

  bool ended() const { return ended_; }
  int result() const { return result_; }
  const std::string& caption() const { return caption_; }
  int focus() const { return focus_; }
  Control& control(int id);

  // DialogView
  std::string GetText(int id) override { return control(id).text; }
  void SetText(int id, std::string_view text) override;
  void Enable(int id, bool enable) override { control(id).enabled = enable; }
  bool IsEnabled(int id) override { return control(id).enabled; }
  void Show(int id, bool show) override { control(id).visible = show; }
  bool IsVisible(int id) override { return control(id).visible; }
  bool IsChecked(int id) override { return control(id).checked; }
  void SetChecked(int id, bool checked) override { control(id).checked = checked; }
  void SetTextLimit(int id, std::size_t maxChars) override { control(id).textLimit = maxChars; }
  void ClearItems(int id) override;
  void AddItem(int id, std::string_view text) override { control(id).items.emplace_back(text); }
  int ItemCount(int id) override { return static_cast<int>(control(id).items.size()); }
  std::string ItemText(int id, int index) override;
  int GetSelection(int id) override { return control(id).selection; }
  void SetSelection(int id, int index) override;
  void SetFocus(int id) override { focus_ = id; }
  void Redraw(int id) override { ++control(id).redraws; }
  void SetCaption(std::string_view text) override { caption_ = std::string(text); }
  void EndDialog(int result) override;
  void EnableWindow(bool enable) override { windowEnabled_ = enable; }
  bool IsWindowEnabled() override { return windowEnabled_; }
  void FocusWindow() override { ++windowFocused_; }

  // How often the window as a whole was given the focus.
  int windowFocused() const { return windowFocused_; }
  // Runs when the dialog is ended (a modeless dialog hides itself here).
  std::function<void()> onEnded;

 private:
  DialogLogic& logic_;
  std::map<int, Control> controls_;
  std::string caption_;
  int focus_ = -1;
  bool ended_ = false;
  int result_ = 0;
  bool windowEnabled_ = true;
  int windowFocused_ = 0;
};

// A modeless dialog opened through FakeDialogHost.  The host keeps it after
// its handle is gone, so tests can look at what became of it.
struct FakeModelessDialog {
  int templateId = 0;
  OwnerWindow* owner = nullptr;
  std::unique_ptr<FakeDialogView> view;
  bool shown = false;
  bool destroyed = false;  // its handle was destroyed
  bool hasFocus = true;    // what HasFocus answers while it is shown
};

// Runs modal dialogs on FakeDialogViews: OnInit, then the script for that
// dialog id (which acts as the user), and returns the result.
class FakeDialogHost : public DialogHost {
 public:
  using Script = std::function<void(FakeDialogView&)>;
  std::map<int, Script> scripts;
  std::vector<int> opened;

  // Modeless dialogs in the order they were opened.
  std::vector<std::shared_ptr<FakeModelessDialog>> modeless;

  int RunModal(const DialogTemplate& dialog, DialogLogic& logic) override;
  std::unique_ptr<ModelessDialog> OpenModeless(const DialogTemplate& dialog, DialogLogic& logic,
                                               OwnerWindow* owner) override;
};

}  // namespace varnik
