#include "platform/fakes.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace varnik {
namespace {

// The bytes of the first `maxChars` characters of UTF-8 `text`, where a
// line break ("\r\n") counts as one character, as in the real edit boxes.
std::size_t LimitedLength(const std::string& text, std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    const bool lineFeedAfterReturn = text[i] == '\n' && i > 0 && text[i - 1] == '\r';
    if (continuation || lineFeedAfterReturn) continue;
    if (chars++ == maxChars) return i;
  }
  return text.size();
}

}  // namespace

FakeDialogView::FakeDialogView(const DialogTemplate& dialog, DialogLogic& logic) : logic_(logic) {
  caption_ = dialog.caption;
  for (const ControlTemplate& t : dialog.controls) {
    if (t.id == -1) continue;
    Control c;
    c.kind = t.kind;
    c.text = t.text;
    c.enabled = (t.style & kStyleDisabled) == 0;
    c.visible = (t.style & kStyleHidden) == 0;
    controls_[t.id] = c;
  }
}

FakeDialogView::Control& FakeDialogView::control(int id) {
  const auto found = controls_.find(id);
  if (found == controls_.end()) {
    // Addressing a control the template does not have is a fault in the
    // dialog logic; fail loudly so the test shows it.
    std::fprintf(stderr, "FakeDialogView: no control with id %d\n", id);
    std::abort();
  }
  return found->second;
}

void FakeDialogView::Init() { logic_.OnInit(*this); }

void FakeDialogView::Click(int id) {
  Control& c = control(id);
  if (!c.enabled || !c.visible) return;
  if (c.kind == ControlKind::kCheckBox) c.checked = !c.checked;
  if (c.kind == ControlKind::kRadioButton) c.checked = true;
  logic_.OnCommand(*this, id, kNotifyClicked);
}

void FakeDialogView::Type(int id, std::string_view text, bool leave) {
  Control& c = control(id);
  c.text = std::string(text);
  if (c.textLimit != 0) c.text.resize(LimitedLength(c.text, c.textLimit));
  logic_.OnCommand(*this, id, kNotifyEditChange);
  if (leave) logic_.OnCommand(*this, id, kNotifyKillFocus);
}

void FakeDialogView::Select(int id, int index) {
  SetSelection(id, index);
  logic_.OnCommand(*this, id, kNotifySelChange);
}

void FakeDialogView::Draw(int id, Canvas& canvas, const Rect& rect) { logic_.OnDrawItem(id, canvas, rect); }

void FakeDialogView::SetText(int id, std::string_view text) { control(id).text = std::string(text); }

void FakeDialogView::EndDialog(int result) {
  ended_ = true;
  result_ = result;
  if (onEnded) onEnded();
}

void FakeDialogView::ClearItems(int id) {
  Control& c = control(id);
  c.items.clear();
  c.selection = -1;
}

std::string FakeDialogView::ItemText(int id, int index) {
  const Control& c = control(id);
  if (index < 0 || index >= static_cast<int>(c.items.size())) return {};
  return c.items[static_cast<std::size_t>(index)];
}

void FakeDialogView::SetSelection(int id, int index) {
  Control& c = control(id);
  c.selection = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
}

int FakeDialogHost::RunModal(const DialogTemplate& dialog, DialogLogic& logic) {
  opened.push_back(dialog.id);
  FakeDialogView view(dialog, logic);
  view.Init();
  if (const auto script = scripts.find(dialog.id); script != scripts.end() && !view.ended()) {
    script->second(view);
  }
  return view.ended() ? view.result() : kIdCancel;
}

namespace {

class FakeModelessHandle : public ModelessDialog {
 public:
  explicit FakeModelessHandle(std::shared_ptr<FakeModelessDialog> dialog) : dialog_(std::move(dialog)) {}
  ~FakeModelessHandle() override { dialog_->destroyed = true; }
  DialogView& View() override { return *dialog_->view; }
  void Show() override { dialog_->shown = true; }
  bool IsOpen() override { return !dialog_->view->ended(); }
  bool HasFocus() override { return dialog_->shown && dialog_->hasFocus; }

 private:
  std::shared_ptr<FakeModelessDialog> dialog_;
};

}  // namespace

std::unique_ptr<ModelessDialog> FakeDialogHost::OpenModeless(const DialogTemplate& dialog, DialogLogic& logic,
                                                             OwnerWindow* owner) {
  auto opened = std::make_shared<FakeModelessDialog>();
  opened->templateId = dialog.id;
  opened->owner = owner;
  opened->view = std::make_unique<FakeDialogView>(dialog, logic);
  FakeModelessDialog* raw = opened.get();
  opened->view->onEnded = [raw] {
    raw->shown = false;
    if (raw->owner != nullptr) raw->owner->EnableWindow(true);
  };
  modeless.push_back(opened);
  opened->view->Init();
  return std::make_unique<FakeModelessHandle>(std::move(opened));
}

}  // namespace varnik
