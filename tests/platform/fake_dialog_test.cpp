#include <gtest/gtest.h>

#include "platform/fakes.h"

namespace varnik {
namespace {

// A dialog that echoes its edit box into a label.
class EchoLogic : public DialogLogic {
 public:
  void OnCommand(DialogView& view, int id, int notification) override {
    if (id == 10 && notification == kNotifyEditChange) view.SetText(11, "echo " + view.GetText(10));
  }
};

// Typing stops at the box's limit, counted in characters with a line break
// as one, and the logic hears of what was kept; the program's own text is
// never cut.
TEST(FakeDialogView, TypingStopsAtTheTextLimit) {
  DialogTemplate echo;
  echo.controls = {{10, ControlKind::kEdit, 0, 0, 50, 12, kStyleNone, ""},
                   {11, ControlKind::kStatic, 0, 14, 50, 12, kStyleNone, "label"}};
  struct Case { std::size_t limit; std::string typed, kept; };
  const Case cases[] = {
      {0, "abcdef", "abcdef"},                                        // no limit
      {3, "\xc5\xa1\xc4\x91\xc5\xbeu", "\xc5\xa1\xc4\x91\xc5\xbe"},  // two-byte letters stay whole
      {2, "a\r\nbc", "a\r\n"},                                       // a line break is one character
  };
  for (const Case& c : cases) {
    EchoLogic logic;
    FakeDialogView view(echo, logic);
    view.SetTextLimit(10, c.limit);
    view.Type(10, c.typed);
    EXPECT_EQ(view.GetText(10), c.kept) << c.limit << " " << c.typed;
    EXPECT_EQ(view.GetText(11), "echo " + c.kept);
    view.SetText(10, "abcdef");
    EXPECT_EQ(view.GetText(10), "abcdef");
  }
}

}  // namespace
}  // namespace varnik
