#pragma once
// Blanks around a stored or typed text (space, tab, CR, LF) never count.

#include <string_view>

namespace tarvel::format {

inline std::string_view TrimBlanks(std::string_view s) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace tarvel::format
