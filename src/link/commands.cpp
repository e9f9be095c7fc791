#include "link/commands.h"

#include <cmath>

#include "format/lenient_number.h"
#include "link/codec.h"
#include "link/frame.h"
#include "link/frame_types.h"

namespace tarvel::link {

ShortCommand BuildShortCommand(std::uint8_t code) {
  return {kHeader1, kHeader2, 0x04, code, static_cast<std::uint8_t>(0x04 + code), kTail};
}

ShortCommand GyroZeroCommand() {
  return BuildShortCommand(kCmdGyroZero);
}
ShortCommand MagSaveCommand() {
  return BuildShortCommand(kCmdMagSave);
}
ShortCommand AltitudeZeroCommand() {
  return BuildShortCommand(kCmdAltitudeZero);
}
ShortCommand MagBeginCommand() {
  return BuildShortCommand(kCmdMagBegin);
}
ShortCommand ServoMidCommand() {
  return BuildShortCommand(kCmdServoMid);
}

ShortCommand ReadPidCommand(std::uint8_t loop) {
  return BuildShortCommand(static_cast<std::uint8_t>(kCmdReadPidBase + loop));
}

ShortCommand SelectPidCommand(std::uint8_t loop) {
  return BuildShortCommand(static_cast<std::uint8_t>(kCmdSelectPidBase + loop));
}

PidWriteFrame WritePidCommand(std::uint8_t loop, float p, float i, float d) {
  PidWriteFrame frame{};
  frame[0] = kHeader1;
  frame[1] = kHeader2;
  frame[2] = 0x10;
  frame[3] = static_cast<std::uint8_t>(kCmdWritePidBase + loop);
  PutF32(&frame[4], p);
  PutF32(&frame[8], i);
  PutF32(&frame[12], d);
  unsigned sum = 0;
  for (int k = 2; k <= 15; ++k)
    sum += frame[k];
  frame[16] = static_cast<std::uint8_t>(sum);
  frame[17] = kTail;
  return frame;
}

std::optional<float> PidGainFromText(std::string_view text) {
  // Values from halfway between the largest float and 2^128 upwards round to infinity; test in
  // double, where converting them would be undefined.
  constexpr double kRoundsToInfinity = 0x1.ffffffp+127;
  const double value = format::ParseLeadingNumber(text);
  if (!(std::fabs(value) < kRoundsToInfinity)) return std::nullopt;
  return static_cast<float>(value);
}

}  // namespace tarvel::link
