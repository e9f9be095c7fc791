#pragma once
// Command frames the station sends to the board. Every function returns the complete frame,
// ready to be written to the port in one piece.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvel::link {

using ShortCommand = std::array<std::uint8_t, 6>;
using PidWriteFrame = std::array<std::uint8_t, 18>;

// A5 5A 04 code (04 + code) AA.
ShortCommand BuildShortCommand(std::uint8_t code);

ShortCommand GyroZeroCommand();      // A5 5A 04 E0 E4 AA: zero the gyroscope bias
ShortCommand MagSaveCommand();       // A5 5A 04 E1 E5 AA: store the magnetometer calibration
ShortCommand AltitudeZeroCommand();  // A5 5A 04 E2 E6 AA: zero the barometric altitude
ShortCommand MagBeginCommand();      // A5 5A 04 E3 E7 AA: start the magnetometer calibration
ShortCommand ServoMidCommand();      // A5 5A 04 F5 F9 AA: record the servo neutral

// Asks for the gains of loop n (1..5); the board answers with frame 0xD0 + n.
// The code byte is computed modulo 256 from n.
ShortCommand ReadPidCommand(std::uint8_t loop);
// Selects loop n (1..4) for the tracking samples; code 0xD5 + n modulo 256.
ShortCommand SelectPidCommand(std::uint8_t loop);

// Writes the gains of `loop` (1..5): TYPE 0xD9 + loop, P, I and D as little-endian f32.
PidWriteFrame WritePidCommand(std::uint8_t loop, float p, float i, float d);

// A gain as typed into a PID box, read leniently ("1.5abc" is 1.5, "" and "abc" are 0) and
// rounded to single precision. Empty when the result is not a finite single-precision value
// (for example "1e39" or a text overflowing double): such a gain must never reach the board.
std::optional<float> PidGainFromText(std::string_view text);

}  // namespace tarvel::link
