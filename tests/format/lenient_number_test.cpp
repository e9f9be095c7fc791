#include "format/lenient_number.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace tarvel::format {
namespace {

struct ParseCase {
  const char* text;
  double value;
};

class ParseLeadingNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseLeadingNumberTest, TakesTheLongestLeadingNumber) {
  const ParseCase& c = GetParam();
  EXPECT_EQ(ParseLeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseLeadingNumberTest,
    testing::Values(ParseCase{"1.5", 1.5}, ParseCase{"1.5abc", 1.5}, ParseCase{"", 0.0},
                    ParseCase{"abc", 0.0}, ParseCase{"  \t-2e3x", -2000.0}, ParseCase{"+7", 7.0},
                    ParseCase{".5", 0.5}, ParseCase{"5.", 5.0}, ParseCase{"-.25e1", -2.5},
                    ParseCase{"1e", 1.0}, ParseCase{"1e+", 1.0}, ParseCase{"1E-2", 0.01},
                    ParseCase{"0.02", 0.02}, ParseCase{"3,5", 3.0}, ParseCase{"1.2.3", 1.2},
                    ParseCase{"-", 0.0}, ParseCase{"+.", 0.0}, ParseCase{".", 0.0},
                    ParseCase{"- 1", 0.0}, ParseCase{"e5", 0.0}, ParseCase{"0x10", 0.0},
                    ParseCase{"00012", 12.0}, ParseCase{"1e39", 1e39}, ParseCase{"nan", 0.0},
                    ParseCase{"inf", 0.0}));

TEST(ParseLeadingNumberTest, OutOfRangeOverflowsOrUnderflows) {
  EXPECT_EQ(ParseLeadingNumber("1e400"), HUGE_VAL);
  EXPECT_EQ(ParseLeadingNumber("-1e400"), -HUGE_VAL);
  EXPECT_EQ(ParseLeadingNumber(std::string(400, '9')), HUGE_VAL);
  EXPECT_EQ(ParseLeadingNumber("0.0001e400"), HUGE_VAL);
  EXPECT_EQ(ParseLeadingNumber("1e-400"), 0.0);
  EXPECT_TRUE(std::signbit(ParseLeadingNumber("-1e-400")));
  EXPECT_EQ(ParseLeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(ParseLeadingNumber("1e99999999999999999999"), HUGE_VAL);
  EXPECT_EQ(ParseLeadingNumber("1e-99999999999999999999"), 0.0);
}

TEST(ParseLeadingNumberTest, IgnoresTheLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  // A locale with a decimal comma, where available; the result must not change either way.
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_EQ(ParseLeadingNumber("1.5"), 1.5);
  EXPECT_EQ(ParseLeadingNumber("1,5"), 1.0);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace tarvel::format
