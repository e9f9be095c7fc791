#include "format/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace tarvel::format {
namespace {

struct FixedCase {
  double value;
  int decimals;
  const char* text;
};

class FormatFixedTest : public testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedTest, WritesPattern) {
  const FixedCase& c = GetParam();
  EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatFixedTest,
    testing::Values(
        // At least one digit before the point, exactly n after it.
        FixedCase{0.0, 1, "0.0"}, FixedCase{-4.5, 1, "-4.5"}, FixedCase{12.3f, 1, "12.3"},
        FixedCase{50.0, 1, "50.0"}, FixedCase{0.5, 2, "0.50"}, FixedCase{1.5, 3, "1.500"},
        FixedCase{-3276.7f, 1, "-3276.7"}, FixedCase{1500.0, 0, "1500"},
        // Halves round away from zero, not to even.
        FixedCase{0.25, 1, "0.3"}, FixedCase{-0.25, 1, "-0.3"}, FixedCase{2.5, 0, "3"},
        FixedCase{0.125, 2, "0.13"}, FixedCase{9.95f, 1, "9.9"},  // 9.95f is below 9.95
        FixedCase{9.96, 1, "10.0"}, FixedCase{99.995, 2, "100.00"}, FixedCase{0.0005, 3, "0.001"},
        FixedCase{-1.0005, 3, "-1.000"},  // -1.0005 is above -1.0005 in binary
        // A value that rounds to zero carries no sign.
        FixedCase{-0.04, 1, "0.0"}, FixedCase{-0.0, 2, "0.00"}, FixedCase{-0.0004, 3, "0.000"},
        // Large and non-finite values.
        FixedCase{3.0e9, 1, "3000000000.0"},
        FixedCase{std::numeric_limits<double>::infinity(), 2, "Infinity"},
        FixedCase{-std::numeric_limits<double>::infinity(), 2, "-Infinity"},
        FixedCase{std::nan(""), 1, "NaN"}));

TEST(FormatFixedTest, HugeValuesKeepAllDigits) {
  const std::string text = FormatFixed(std::numeric_limits<float>::max(), 3);
  EXPECT_EQ(text.size(), 39u + 4u);
  EXPECT_EQ(text.substr(text.size() - 4), ".000");
}

TEST(DecimalTextTest, SinglePrecisionIsShortest) {
  EXPECT_EQ(DecimalText(12.3f), "12.3");
  EXPECT_EQ(DecimalText(120.0122f), "120.0122");
  EXPECT_EQ(DecimalText(-120.0122f), "-120.0122");
  EXPECT_EQ(DecimalText(-4.5f), "-4.5");
  EXPECT_EQ(DecimalText(1500.0f), "1500");
  EXPECT_EQ(DecimalText(0.0001f), "0.0001");
  EXPECT_EQ(DecimalText(1e10f), "10000000000");
  EXPECT_EQ(DecimalText(-0.0f), "0");
}

TEST(DecimalTextTest, DoublePrecisionIsShortest) {
  EXPECT_EQ(DecimalText(32.8), "32.8");
  EXPECT_EQ(DecimalText(16384.0), "16384");
  EXPECT_EQ(DecimalText(-35.0), "-35");
  EXPECT_EQ(DecimalText(101320.0), "101320");
  EXPECT_EQ(DecimalText(0.1 + 0.2), "0.30000000000000004");
}

TEST(DecimalTextTest, NonFinite) {
  EXPECT_EQ(DecimalText(std::numeric_limits<float>::quiet_NaN()), "NaN");
  EXPECT_EQ(DecimalText(std::numeric_limits<float>::infinity()), "Infinity");
  EXPECT_EQ(DecimalText(-std::numeric_limits<double>::infinity()), "-Infinity");
}

}  // namespace
}  // namespace tarvel::format
