#include "settings/ini_text.h"

#include <optional>
#include <vector>

#include "format/trim.h"

namespace tarvel::settings {
namespace {

using format::TrimBlanks;

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// One physical line of the text: its content without the line ending, and where the whole line
// (ending included) lies in the text.
struct Line {
  std::string_view content;
  std::size_t begin = 0;
  std::size_t end = 0;  // one past the line ending
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto nl = text.find('\n', pos);
    const std::size_t end = nl == std::string_view::npos ? text.size() : nl + 1;
    std::string_view content = text.substr(pos, (nl == std::string_view::npos ? end : nl) - pos);
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    lines.push_back({content, pos, end});
    pos = end;
  }
  return lines;
}

// The section name of a "[name]" line, if it is one.
std::optional<std::string_view> SectionName(std::string_view content) {
  const std::string_view t = TrimBlanks(content);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const auto close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(t.substr(1, close - 1));
}

// The key of a "key=value" line, if it is one.
std::optional<std::string_view> KeyName(std::string_view content) {
  const auto eq = content.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return TrimBlanks(content.substr(0, eq));
}

// Where a section's lines are: the index of its header line and one past its last line.
struct SectionSpan {
  std::size_t header = 0;
  std::size_t end = 0;
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i].content);
    if (!name || !SameName(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end].content))
      ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, SectionSpan span,
                                   std::string_view key) {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    const auto name = KeyName(lines[i].content);
    if (name && SameName(*name, key)) return i;
  }
  return std::nullopt;
}

}  // namespace

std::string IniTextValue(std::string_view text, std::string_view section, std::string_view key) {
  const auto lines = SplitLines(text);
  const auto span = FindSection(lines, TrimBlanks(section));
  if (!span) return {};
  const auto index = FindKey(lines, *span, TrimBlanks(key));
  if (!index) return {};
  const std::string_view content = lines[*index].content;
  std::string_view value = TrimBlanks(content.substr(content.find('=') + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, kMaxIniValueLength));
}

std::string IniTextWithValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value, std::string_view default_eol) {
  const auto lines = SplitLines(text);
  std::string_view eol = default_eol;
  if (!lines.empty()) {
    const Line& first = lines.front();
    const bool has_nl = first.end > first.begin && text[first.end - 1] == '\n';
    if (has_nl) eol = (first.end - first.begin >= 2 && text[first.end - 2] == '\r') ? "\r\n" : "\n";
  }
  const std::string key_line = std::string(TrimBlanks(key)) + "=" + std::string(value);

  std::string out;
  out.reserve(text.size() + key_line.size() + section.size() + 8);
  const auto span = FindSection(lines, TrimBlanks(section));
  if (!span) {
    out.append(text);
    if (!text.empty() && text.back() != '\n') out.append(eol);
    out.append("[").append(TrimBlanks(section)).append("]").append(eol);
    out.append(key_line).append(eol);
    return out;
  }
  if (const auto index = FindKey(lines, *span, TrimBlanks(key))) {
    // The line keeps its own spelling of the key.
    const Line& line = lines[*index];
    out.append(text.substr(0, line.begin));
    out.append(*KeyName(line.content)).append("=").append(value);
    out.append(text.substr(line.begin + line.content.size()));  // keeps the line's own ending
    return out;
  }
  // Add the key after the section's last non-blank line.
  std::size_t last = span->header;
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    if (!TrimBlanks(lines[i].content).empty()) last = i;
  }
  const Line& anchor = lines[last];
  out.append(text.substr(0, anchor.end));
  if (anchor.end == anchor.begin + anchor.content.size()) out.append(eol);  // last line had no end
  out.append(key_line).append(eol);
  out.append(text.substr(anchor.end));
  return out;
}

}  // namespace tarvel::settings
