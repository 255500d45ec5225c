#include <gtest/gtest.h>

#include "platform/fakes.h"
#include "platform/recording_canvas.h"

namespace varnik {
namespace {

// A dialog that echoes its edit box into a label, counts list selections
// and ends with OK only when the check box is set.
class EchoLogic : public DialogLogic {
 public:
  void OnInit(DialogView& view) override {
    view.SetCaption("Echo");
    view.AddItem(30, "one");
    view.AddItem(30, "two");
    view.SetSelection(30, 1);
  }
  void OnCommand(DialogView& view, int id, int notification) override {
    if (id == 10 && notification == kNotifyEditChange) view.SetText(11, "echo " + view.GetText(10));
    if (id == 10 && notification == kNotifyKillFocus) ++leaves;
    if (id == 30 && notification == kNotifySelChange) selected = view.GetSelection(30);
    if (id == kIdOk && view.IsChecked(20)) view.EndDialog(kIdOk);
    if (id == kIdCancel) view.EndDialog(kIdCancel);
  }
  void OnDrawItem(int id, Canvas& canvas, const Rect& rect) override {
    canvas.TextOut(rect.left, rect.top, std::to_string(id));
  }
  int leaves = 0;
  int selected = -1;
};

DialogTemplate EchoTemplate() {
  DialogTemplate t;
  t.id = 900;
  t.caption = "placeholder";
  t.controls = {
      {10, ControlKind::kEdit, 0, 0, 50, 12, kStyleNone, ""},
      {11, ControlKind::kStatic, 0, 14, 50, 12, kStyleNone, "label"},
      {20, ControlKind::kCheckBox, 0, 28, 50, 12, kStyleNone, "sure"},
      {21, ControlKind::kButton, 0, 28, 50, 12, kStyleHidden | kStyleDisabled, "hidden"},
      {30, ControlKind::kListBox, 0, 42, 50, 40, kStyleNone, ""},
      {40, ControlKind::kOwnerDrawn, 60, 0, 80, 80, kStyleNone, ""},
      {kIdOk, ControlKind::kButton, 0, 90, 40, 14, kStyleDefaultButton, "OK"},
      {kIdCancel, ControlKind::kButton, 50, 90, 40, 14, kStyleNone, "Cancel"},
  };
  return t;
}

TEST(FakeDialogView, PlaysTheUserAgainstTheLogic) {
  EchoLogic logic;
  const DialogTemplate t = EchoTemplate();
  FakeDialogView view(t, logic);
  view.Init();
  EXPECT_EQ(view.caption(), "Echo");
  EXPECT_EQ(view.GetSelection(30), 1);
  EXPECT_FALSE(view.IsVisible(21));
  EXPECT_FALSE(view.IsEnabled(21));

  view.Type(10, "abc", /*leave=*/true);
  EXPECT_EQ(view.GetText(11), "echo abc");
  EXPECT_EQ(logic.leaves, 1);
  view.Select(30, 0);
  EXPECT_EQ(logic.selected, 0);
  view.Select(30, 7);  // out of range: no selection
  EXPECT_EQ(logic.selected, -1);

  view.Click(kIdOk);
  EXPECT_FALSE(view.ended());
  view.Click(20);
  EXPECT_TRUE(view.IsChecked(20));
  view.Click(kIdOk);
  EXPECT_TRUE(view.ended());
  EXPECT_EQ(view.result(), kIdOk);

  RecordingCanvas canvas({100, 100});
  view.Draw(40, canvas, {0, 0, 80, 80});
  EXPECT_EQ(canvas.Texts(), std::vector<std::string>{"40"});
}

// Typing stops at the box's limit, counted in characters with a line break
// as one; the program's own text is never cut.
TEST(FakeDialogView, TypingStopsAtTheTextLimit) {
  struct Case {
    std::size_t limit;
    std::string typed, kept;
  };
  const Case cases[] = {
      {0, "abcdef", "abcdef"},            // no limit
      {3, "abcdef", "abc"},
      {3, "\xc5\xa1\xc4\x91\xc5\xbeu", "\xc5\xa1\xc4\x91\xc5\xbe"},  // two-byte letters stay whole
      {3, "a\r\nbc", "a\r\nb"},          // a line break is one character
      {2, "a\r\nbc", "a\r\n"},
      {1, "a\r\nbc", "a"},
  };
  for (const Case& c : cases) {
    EchoLogic logic;
    FakeDialogView view(EchoTemplate(), logic);
    view.SetTextLimit(10, c.limit);
    view.Type(10, c.typed);
    EXPECT_EQ(view.GetText(10), c.kept) << c.limit << " " << c.typed;
    EXPECT_EQ(view.GetText(11), "echo " + c.kept);
  }
  EchoLogic logic;
  FakeDialogView view(EchoTemplate(), logic);
  view.SetTextLimit(10, 2);
  view.SetText(10, "abcdef");
  EXPECT_EQ(view.GetText(10), "abcdef");
}

}  // namespace
}  // namespace varnik
