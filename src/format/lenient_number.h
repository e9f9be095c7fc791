#pragma once
// Reading numbers out of texts the user typed, the way the board's tools always have:
// leniently, taking what looks like a number at the start and ignoring the rest.

#include <string_view>

namespace tarvel::format {

// The value of the longest leading number of `text`: leading blanks (space, tab, CR, LF) are
// skipped, then an optional sign, digits with an optional "." and an optional exponent
// ("e" or "E", optional sign, digits). Whatever follows is ignored. A text that does not start
// with a number gives 0. The decimal point is always "."; the locale plays no part.
// Values beyond the double range give +/-infinity, values below it give a signed zero.
//   "1.5abc" -> 1.5, "  -2e3x" -> -2000, ".5" -> 0.5, "1e" -> 1, "abc" -> 0, "" -> 0
double ParseLeadingNumber(std::string_view text);

}  // namespace tarvel::format
