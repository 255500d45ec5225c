#include "common/utf.h"

#include <gtest/gtest.h>

namespace varnik {
namespace {

TEST(Utf, RoundTripsCyrillicAndSupplementaryCharactersAndWritesTheBom) {
  const std::string text = "Србски йезик \xF0\x9F\x98\x80 end";
  EXPECT_EQ(Utf8ToUtf16(text).size(), 19u);  // the emoji takes a surrogate pair
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
  // Report files are UTF-16 with a byte order mark.
  EXPECT_EQ(Utf16LeWithBom("A\r\n"), std::string("\xFF\xFE" "A\0\r\0\n\0", 8));
  // Text files come back as UTF-8 whichever mark they carry; an odd last byte is dropped.
  EXPECT_EQ(TextFileToUtf8(Utf16LeWithBom(text) + "x"), text);
  EXPECT_EQ(TextFileToUtf8("\xEF\xBB\xBF" + text), text);
  EXPECT_EQ(TextFileToUtf8("\xFF"), "\xFF");
}

TEST(Utf, InvalidInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xC3"), (std::u16string{u'a', 0xFFFD}));       // cut short
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), (std::u16string{0xFFFD}));         // overlong
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), (std::u16string{0xFFFD}));     // surrogate
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'x'}), "\xEF\xBF\xBDx");  // lone surrogate
}

}  // namespace
}  // namespace varnik
