#pragma once
// TYPE bytes of the frames the board sends and of the commands the station sends.

#include <cstdint>
#include <string>

namespace tarvel::link {

// Telemetry from the board.
inline constexpr std::uint8_t kTypeFlow = 0x0F;      // optical-flow motion
inline constexpr std::uint8_t kTypePwmIn = 0x12;     // PWM input channels
inline constexpr std::uint8_t kTypePwmOut = 0x13;    // PWM output channels
inline constexpr std::uint8_t kTypeTrack = 0x15;     // tracking sample of the selected loop
inline constexpr std::uint8_t kTypeImu = 0xA1;       // attitude and barometer ("ReportIMU")
inline constexpr std::uint8_t kTypeMotion = 0xA2;    // raw sensors ("ReportMotion")
inline constexpr std::uint8_t kTypeGps = 0xA3;       // GPS position
inline constexpr std::uint8_t kTypeMagRange = 0xA4;  // magnetometer extremes of a calibration
inline constexpr std::uint8_t kTypeTarget = 0xA5;    // navigation target
inline constexpr std::uint8_t kTypeStatus = 0xA6;    // system status
inline constexpr std::uint8_t kTypePidBase = 0xD0;   // 0xD1..0xD5: P, I, D of loop 1..5

// Commands to the board.
inline constexpr std::uint8_t kCmdGyroZero = 0xE0;
inline constexpr std::uint8_t kCmdMagSave = 0xE1;
inline constexpr std::uint8_t kCmdAltitudeZero = 0xE2;
inline constexpr std::uint8_t kCmdMagBegin = 0xE3;
inline constexpr std::uint8_t kCmdServoMid = 0xF5;
inline constexpr std::uint8_t kCmdReadPidBase = 0xD0;    // + loop 1..5
inline constexpr std::uint8_t kCmdSelectPidBase = 0xD5;  // + loop 1..4
inline constexpr std::uint8_t kCmdWritePidBase = 0xD9;   // + loop 1..5

// Control loops, numbered as on the wire.
inline constexpr int kLoopRoll = 1;
inline constexpr int kLoopPitch = 2;
inline constexpr int kLoopYaw = 3;
inline constexpr int kLoopAltitude = 4;
inline constexpr int kLoopAngleBalance = 5;
inline constexpr int kLoopCount = 5;

// "0xA1": a TYPE as the capture decoder's output and the link-status window write it.
inline std::string TypeText(std::uint8_t type) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  return {'0', 'x', kHex[type >> 4], kHex[type & 0x0F]};
}

// Whether `type` is the board's answer with the gains of a control loop (0xD1..0xD5).
constexpr bool IsPidAnswer(std::uint8_t type) {
  return type > kTypePidBase && type <= kTypePidBase + kLoopCount;
}
// The loop (1..5) a PID answer carries; only meaningful when IsPidAnswer(type).
constexpr int PidAnswerLoop(std::uint8_t type) {
  return type - kTypePidBase;
}

}  // namespace tarvel::link
