#include "format/lenient_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace tarvel::format {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

struct NumberSpan {
  std::size_t length = 0;          // characters of the number, sign included; 0: no number
  long long decimal_exponent = 0;  // power of ten of the leading significant digit (approx.)
  bool all_zero = true;
};

// Finds the extent of the leading number and a rough order of magnitude, which is all that is
// needed to tell an overflow from an underflow when from_chars reports a range error.
NumberSpan ScanNumber(std::string_view s) {
  NumberSpan span;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  long long integer_digits = 0;  // significant digits before the point
  long long leading_fraction_zeros = 0;
  bool any_digit = false;
  while (i < s.size() && IsDigit(s[i])) {
    any_digit = true;
    if (s[i] != '0') span.all_zero = false;
    if (!span.all_zero) ++integer_digits;
    ++i;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) {
      any_digit = true;
      if (span.all_zero && s[i] == '0') ++leading_fraction_zeros;
      if (s[i] != '0') span.all_zero = false;
      ++i;
    }
  }
  if (!any_digit) return {};

  long long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    bool negative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) negative = s[j++] == '-';
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) {
        if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[j] - '0');
        ++j;
      }
      if (negative) exponent = -exponent;
      i = j;
    }
  }
  span.length = i;
  span.decimal_exponent =
      (integer_digits > 0 ? integer_digits - 1 : -(leading_fraction_zeros + 1)) + exponent;
  return span;
}

}  // namespace

double ParseLeadingNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start]))
    ++start;
  text.remove_prefix(start);

  const NumberSpan span = ScanNumber(text);
  if (span.length == 0) return 0.0;

  std::string_view number = text.substr(0, span.length);
  const bool negative = number.front() == '-';
  // from_chars takes neither a leading '+' nor a leading '-' in front of nothing; strip the sign
  // and apply it afterwards.
  if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);

  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value =
        span.all_zero || span.decimal_exponent < 0 ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

}  // namespace tarvel::format
