#pragma once
// The serial line settings in the text form the station stores and shows: baud rate, parity
// letter, data bits and stop bits, comma-separated ("115200,n,8,1").

#include <optional>
#include <string>
#include <string_view>

namespace tarvel::serial {

struct LineSettings {
  enum class Parity { kNone, kEven, kOdd, kMark, kSpace };
  enum class StopBits { kOne, kOneAndHalf, kTwo };

  int baud = 115200;
  Parity parity = Parity::kNone;
  int data_bits = 8;
  StopBits stop_bits = StopBits::kOne;

  // Parses "115200,n,8,1": a baud rate 50..4000000, a parity letter n/e/o/m/s (any case),
  // 5..8 data bits and 1, 1.5 or 2 stop bits; blanks around the fields are allowed. Any other
  // text is refused.
  static std::optional<LineSettings> FromText(std::string_view text);

  // The canonical text, as the port reports its settings back: "115200,n,8,1".
  std::string Text() const;

  // Bits one character occupies on the line: the start bit, the data bits, a parity bit unless
  // the parity is none, and the stop bits (1.5 counts as 1.5). 8N1 is 10, 8E2 is 12.
  double BitsPerCharacter() const;

  friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

inline constexpr std::string_view kDefaultLineSettings = "115200,n,8,1";

}  // namespace tarvel::serial
