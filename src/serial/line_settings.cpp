#include "serial/line_settings.h"

#include <array>

#include "format/trim.h"

namespace tarvel::serial {
namespace {

using format::TrimBlanks;

std::optional<int> SmallNumber(std::string_view s) {
  if (s.empty() || s.size() > 7) return std::nullopt;
  int n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

std::optional<LineSettings> LineSettings::FromText(std::string_view text) {
  std::array<std::string_view, 4> fields;
  std::size_t count = 0;
  while (true) {
    const auto comma = text.find(',');
    if (count == fields.size()) return std::nullopt;
    fields[count++] = TrimBlanks(text.substr(0, comma));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (count != fields.size()) return std::nullopt;

  LineSettings s;
  const auto baud = SmallNumber(fields[0]);
  if (!baud || *baud < 50 || *baud > 4'000'000) return std::nullopt;
  s.baud = *baud;

  if (fields[1].size() != 1) return std::nullopt;
  switch (fields[1][0] | 0x20) {
    case 'n': s.parity = Parity::kNone; break;
    case 'e': s.parity = Parity::kEven; break;
    case 'o': s.parity = Parity::kOdd; break;
    case 'm': s.parity = Parity::kMark; break;
    case 's': s.parity = Parity::kSpace; break;
    default: return std::nullopt;
  }

  const auto data = SmallNumber(fields[2]);
  if (!data || *data < 5 || *data > 8) return std::nullopt;
  s.data_bits = *data;

  if (fields[3] == "1") {
    s.stop_bits = StopBits::kOne;
  } else if (fields[3] == "1.5") {
    s.stop_bits = StopBits::kOneAndHalf;
  } else if (fields[3] == "2") {
    s.stop_bits = StopBits::kTwo;
  } else {
    return std::nullopt;
  }
  return s;
}

std::string LineSettings::Text() const {
  static constexpr std::array<char, 5> kParity = {'n', 'e', 'o', 'm', 's'};
  static constexpr std::array<const char*, 3> kStop = {"1", "1.5", "2"};
  std::string t = std::to_string(baud);
  t += ',';
  t += kParity[static_cast<int>(parity)];
  t += ',';
  t += std::to_string(data_bits);
  t += ',';
  t += kStop[static_cast<int>(stop_bits)];
  return t;
}

double LineSettings::BitsPerCharacter() const {
  static constexpr std::array<double, 3> kStop = {1.0, 1.5, 2.0};
  const double parity_bits = parity == Parity::kNone ? 0 : 1;
  return 1 + data_bits + parity_bits + kStop[static_cast<int>(stop_bits)];
}

}  // namespace tarvel::serial
