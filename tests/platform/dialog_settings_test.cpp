#include "platform/dialog_settings.h"

#include <gtest/gtest.h>

#include "common/binary_io.h"

namespace varnik {
namespace {

std::vector<uint8_t> Words(std::initializer_list<int32_t> words) {
  ByteWriter writer;
  for (int32_t w : words) writer.WriteI32(w);
  return writer.bytes();
}

// A value out of range, of the wrong type or missing leaves the variable as
// it was.
TEST(DialogSettingScalars, RangesAreCheckedAndFailuresKeepTheValue) {
  MemorySettingsStore store;
  uint32_t below = 7;
  EXPECT_FALSE(ReadSettingBelow(store, "Poredak", 5, below));  // no key yet
  WriteSettingNumber(store, "Poredak", 4);
  EXPECT_TRUE(ReadSettingBelow(store, "Poredak", 5, below) && below == 4u);
  WriteSettingNumber(store, "Poredak", 5);
  EXPECT_FALSE(ReadSettingBelow(store, "Poredak", 5, below));
  WriteSettingNumber(store, "IzborOznak", static_cast<uint32_t>(-1));  // compared unsigned
  EXPECT_FALSE(ReadSettingBelow(store, "IzborOznak", 3, below));
  store.Write("Predvigjac3", {SettingType::kBinary, {1, 0, 0, 0}});  // wrong type
  EXPECT_FALSE(ReadSettingBelow(store, "Predvigjac3", 4, below));
  EXPECT_EQ(below, 4u);

  int32_t value = 12;
  WriteSettingNumber(store, "Pretr_NajmZajed", 60);
  EXPECT_TRUE(ReadSettingSignedInRange(store, "Pretr_NajmZajed", 5, 60, value) && value == 60);
  WriteSettingNumber(store, "Pretr_NajvPecat", static_cast<uint32_t>(-20));
  EXPECT_FALSE(ReadSettingSignedInRange(store, "Pretr_NajvPecat", 10, 500, value));
  WriteSettingNumber(store, "Pretr_NacinRegjanja", static_cast<uint32_t>(-3));
  EXPECT_TRUE(ReadSettingNotNegative(store, "Pretr_NacinRegjanja", value) && value == 0);

  double real = 0.4;
  WriteSettingDouble(store, "GranicaPromene", 0.0001);
  EXPECT_TRUE(ReadSettingDoubleInRange(store, "GranicaPromene", 1e-10, 0.0001, real) && real == 0.0001);
  WriteSettingDouble(store, "GranicaPromene", 0.00011);
  EXPECT_FALSE(ReadSettingDoubleInRange(store, "GranicaPromene", 1e-10, 0.0001, real));
  WriteSettingDouble(store, "Pretr_KolicnNajvRazl", std::numeric_limits<double>::quiet_NaN());
  EXPECT_FALSE(ReadSettingDoubleInRange(store, "Pretr_KolicnNajvRazl", 0.01, 0.7, real));
  EXPECT_EQ(real, 0.0001);
}

TEST(DialogSettingConstraints, LayoutCheckOrderingAndSlots) {
  MemorySettingsStore store;
  std::vector<CSettingConstraint> list;
  int32_t count = -1;
  EXPECT_FALSE(ReadSettingConstraints(store, "Pretr_Ogranicenja", list, count));
  WriteSettingBinary(store, "Pretr_Ogranicenja", Words({2, 1, 4, 10, 12}));  // wrong layout mark
  EXPECT_FALSE(ReadSettingConstraints(store, "Pretr_Ogranicenja", list, count));
  EXPECT_TRUE(list.empty());

  WriteSettingBinary(store, "Pretr_Ogranicenja", Words({1, 2, 4, 17, 11, 0, 13, 14}));
  ASSERT_TRUE(ReadSettingConstraints(store, "Pretr_Ogranicenja", list, count));
  EXPECT_EQ(count, 2);
  ASSERT_EQ(list.size(), kMinConstraintSlots);
  EXPECT_EQ(list[0], (CSettingConstraint{4, 11, 17}));  // put in order
  EXPECT_EQ(list[1], (CSettingConstraint{0, 13, 14}));
  EXPECT_EQ(list[2], CSettingConstraint{});

  WriteSettingBinary(store, "Pretr_Ogranicenja", Words({1, 0x7fffffff, 3, 20, 10, 5}));
  ASSERT_TRUE(ReadSettingConstraints(store, "Pretr_Ogranicenja", list, count));
  EXPECT_TRUE(count == 1 && list[0] == (CSettingConstraint{3, 10, 20}));
  // Regression: an open bound (-1) was ordered too, so "20~" came back as "~20".
  WriteSettingBinary(store, "Pretr_Ogranicenja", Words({1, 2, 3, 20, -1, 4, -1, 15}));
  ASSERT_TRUE(ReadSettingConstraints(store, "Pretr_Ogranicenja", list, count));
  EXPECT_TRUE(list[0] == (CSettingConstraint{3, 20, -1}) && list[1] == (CSettingConstraint{4, -1, 15}));
  WriteSettingBinary(store, "Pretr_Ogranicenja", Words({1, -4, 3, 20, 10}));  // a negative count reads nothing
  ASSERT_TRUE(ReadSettingConstraints(store, "Pretr_Ogranicenja", list, count));
  EXPECT_EQ(count, 0);
}

TEST(DialogSettingConstraints, LargerThanTheBufferFailsAndWriterRoundTrips) {
  MemorySettingsStore store;
  std::vector<CSettingConstraint> list(67, CSettingConstraint{1, 2, 3}), read;
  int32_t count = 0;
  std::vector<uint8_t> big = Words({1, 67});
  big.resize(812);  // 67 triples
  WriteSettingBinary(store, "Pretr_Ogranicenja", big);
  EXPECT_FALSE(ReadSettingConstraints(store, "Pretr_Ogranicenja", read, count));

  ASSERT_TRUE(WriteSettingConstraints(store, "Pretr_Ogranicenja", list, 67));  // 66 fit
  ASSERT_TRUE(ReadSettingConstraints(store, "Pretr_Ogranicenja", read, count));
  EXPECT_TRUE(count == 66 && read[65] == (CSettingConstraint{1, 2, 3}));
}

TEST(DialogSettingFlags, ReadsUpTo800BytesAndIgnoresUnknownItems) {
  MemorySettingsStore store;
  std::vector<bool> flags(3, true);
  EXPECT_FALSE(ReadSettingFlags(store, "Pretr_OdabrZbirke", flags));
  WriteSettingBinary(store, "Pretr_OdabrZbirke", Words({0, 5, 0, 0, 0}));
  EXPECT_TRUE(ReadSettingFlags(store, "Pretr_OdabrZbirke", flags) && flags == (std::vector<bool>{false, true, false}));
  WriteSettingBinary(store, "Pretr_OdabrZbirke", std::vector<uint8_t>(804, 0));
  EXPECT_FALSE(ReadSettingFlags(store, "Pretr_OdabrZbirke", flags));
}

}  // namespace
}  // namespace varnik
