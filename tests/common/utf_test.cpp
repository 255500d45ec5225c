#include "common/utf.h"

#include <gtest/gtest.h>

namespace varnik {
namespace {

TEST(Utf, RoundTripsCyrillicAndSupplementaryCharacters) {
  const std::string text = "Србски йезик \xF0\x9F\x98\x80 end";
  const std::u16string units = Utf8ToUtf16(text);
  EXPECT_EQ(units.size(), 19u);  // the emoji takes a surrogate pair
  EXPECT_EQ(Utf16ToUtf8(units), text);
}

TEST(Utf, InvalidInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xC3"), (std::u16string{u'a', 0xFFFD}));       // cut short
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), (std::u16string{0xFFFD}));         // overlong
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), (std::u16string{0xFFFD}));     // surrogate
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'x'}), "\xEF\xBF\xBDx");  // lone surrogate
}

TEST(Utf, ReportBytesStartWithByteOrderMark) {
  EXPECT_EQ(Utf16LeWithBom("A\r\n"), std::string("\xFF\xFE" "A\0\r\0\n\0", 8));
}

}  // namespace
}  // namespace varnik
