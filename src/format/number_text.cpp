#include "format/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace tarvel::format {
namespace {

constexpr int kMaxDecimals = 15;

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Infinity" : "Infinity";
}

// A "-0", "-0.0", "-0.00" ... text becomes its unsigned form.
void DropSignOfZero(std::string& text) {
  if (text.empty() || text.front() != '-') return;
  if (text.find_first_not_of("0.", 1) == std::string::npos) text.erase(0, 1);
}

// Adds one unit in the last place of a digits-and-point text (no sign), carrying leftwards.
void IncrementLastDigit(std::string& digits) {
  for (auto i = digits.size(); i-- > 0;) {
    char& c = digits[i];
    if (c == '.') continue;
    if (c != '9') {
      ++c;
      return;
    }
    c = '0';
  }
  digits.insert(digits.begin(), '1');
}

template <typename T>
std::string ShortestFixed(T value) {
  if (!std::isfinite(value)) return NonFinite(static_cast<double>(value));
  // Fixed notation of the largest double needs 309 digits before the point; the smallest
  // subnormal needs about 1075 after it.
  std::array<char, 1200> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  std::string text(buffer.data(), result.ptr);
  DropSignOfZero(text);
  return text;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (decimals < 0) decimals = 0;
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;

  std::array<char, 400> buffer{};
  char* const begin = buffer.data();
  char* const end = begin + buffer.size();

  // to_chars rounds the exact binary value correctly, ties to even. A tie at `decimals` places
  // is only possible when the value has at most decimals + 1 binary fraction digits, because
  // (2k + 1) / (2 * 10^d) must be a binary fraction. Only those values need a second look.
  const double scaled = std::ldexp(value, decimals + 1);
  const bool may_tie = std::trunc(scaled) == scaled;

  std::string text;
  if (may_tie) {
    // The exact decimal expansion then has at most decimals + 1 places: print it whole and
    // round it by hand, halves away from zero.
    const auto exact =
        std::to_chars(begin, end, std::fabs(value), std::chars_format::fixed, decimals + 1);
    text.assign(begin, exact.ptr);
    const char last = text.back();
    text.pop_back();
    if (decimals == 0) text.pop_back();  // the point before the single extra digit
    if (last >= '5') IncrementLastDigit(text);
    if (value < 0) text.insert(text.begin(), '-');
  } else {
    const auto rounded = std::to_chars(begin, end, value, std::chars_format::fixed, decimals);
    text.assign(begin, rounded.ptr);
  }
  DropSignOfZero(text);
  return text;
}

std::string DecimalText(float value) {
  return ShortestFixed(value);
}

std::string DecimalText(double value) {
  return ShortestFixed(value);
}

}  // namespace tarvel::format
