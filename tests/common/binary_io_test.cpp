#include "common/binary_io.h"

#include <gtest/gtest.h>

namespace varnik {
namespace {

TEST(ByteReader, ReadsLittleEndianValuesWrittenByTheWriter) {
  ByteWriter w;
  w.WriteI32(-5);
  w.WriteF64(0.125);
  w.WriteU16(0xBEEF);
  const std::size_t units = w.WriteUtf16("Оса");
  const std::string bytes = w.str();
  ByteReader r(bytes);
  int32_t i = 0;
  double d = 0;
  uint16_t u = 0;
  std::string s;
  ASSERT_TRUE(r.ReadI32(i) && r.ReadF64(d) && r.ReadU16(u) && r.ReadUtf16(units, s));
  EXPECT_TRUE(i == -5 && d == 0.125 && u == 0xBEEF && r.AtEnd());
  EXPECT_EQ(s, "Оса");
}

TEST(ByteReader, RejectsReadsAndCountsPastTheEndAndStaysFailed) {
  ByteReader r(std::string_view("12345678", 8));
  EXPECT_TRUE(r.CanHold(2, 4));
  EXPECT_FALSE(r.CanHold(3, 4));
  EXPECT_FALSE(r.CanHold(UINT64_MAX, 8));
  std::string s;
  EXPECT_FALSE(r.ReadUtf16(0x7FFFFFFF, s));
  ByteReader cut(std::string_view("\x01\x02\x03", 3));
  uint32_t v = 0;
  uint8_t b = 0;
  EXPECT_FALSE(cut.ReadU32(v));
  EXPECT_FALSE(cut.ReadU8(b));  // a failed reader stays failed
  EXPECT_FALSE(cut.ok());
}

}  // namespace
}  // namespace varnik
