#pragma once
// Reading and writing single values of an INI text ("[section]" lines followed by key=value
// lines), with the semantics the settings file has always had:
//  - section and key names match without regard to ASCII case, blanks around names and values
//    are ignored, a value in one pair of double quotes reads without them;
//  - a missing file, section or key reads as the empty string;
//  - a value reads back cut to kMaxIniValueLength characters;
//  - writing replaces the key's line in place, or adds the key at the end of its section, or
//    adds the section at the end of the text; every other line stays as it was.
// Pure functions on byte strings: the file's 8-bit text is passed through unchanged.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvel::settings {

inline constexpr std::size_t kMaxIniValueLength = 254;

// The value of `key` in `section` of `text`, or "" when there is none.
std::string IniTextValue(std::string_view text, std::string_view section, std::string_view key);

// `text` with `key` in `section` set to `value`. New lines use the text's own line ending
// (CR LF when its first line ends so, otherwise LF; `default_eol` for an empty text).
std::string IniTextWithValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value, std::string_view default_eol = "\n");

}  // namespace tarvel::settings
