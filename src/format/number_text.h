#pragma once
// Number-to-text conversions shared by every window, the CSV recorder and the tools.
// All of them use "." as the decimal point whatever the user's locale.

#include <string>

namespace tarvel::format {

// The "0.0" family of patterns: at least one digit before the point and exactly `decimals`
// digits after it, rounded to nearest with halves away from zero, "-" for negative values.
// A value that rounds to zero is written without a sign ("0.0", never "-0.0").
// Non-finite values are written as "NaN", "Infinity" and "-Infinity".
std::string FormatFixed(double value, int decimals);

// The shortest plain decimal text that reads back as the same value: no exponent, no leading
// blank, no trailing zeros ("12.3", "-35", "120.0122", "0.0001"). The float overload gives the
// shortest text for single precision, so 12.3f reads "12.3" and not "12.300000190734863".
// Non-finite values as in FormatFixed.
std::string DecimalText(float value);
std::string DecimalText(double value);

}  // namespace tarvel::format
