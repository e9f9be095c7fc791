#pragma once
// What the decoders make of each telemetry frame: plain values, already scaled. Scaled values
// are single precision, as the board's own tools compute them.

#include <array>
#include <cstdint>
#include <variant>

namespace tarvel::link {

// 0xA1, "ReportIMU": attitude solution and barometer. Angles in degrees, altitude in metres,
// temperature in degrees Celsius.
struct ImuReport {
  float yaw = 0, pitch = 0, roll = 0;
  float altitude = 0;
  float temperature = 0;
  int pressure_field = 0;  // as carried, in units of 10 Pa
  int solution_rate = 0;   // attitude solutions per second
  int pressure_pa() const { return pressure_field * 10; }
};

// 0xA2, "ReportMotion": raw sensor counts, unscaled.
struct MotionReport {
  int acc_x = 0, acc_y = 0, acc_z = 0;
  int gyro_x = 0, gyro_y = 0, gyro_z = 0;
  int mag_x = 0, mag_y = 0, mag_z = 0;
};

// 0x12: receiver inputs CH1..CH6, microseconds.
struct PwmInReport {
  std::array<float, 6> channels{};
};

// 0x13: motor and servo outputs CH1..CH8, microseconds.
struct PwmOutReport {
  std::array<float, 8> channels{};
};

// 0x15: one sample of the loop selected for tracking.
struct TrackReport {
  float target = 0, current = 0, output = 0;
};

// 0xD1..0xD5: the gains of one control loop.
struct PidReport {
  int loop = 0;  // 1..5
  float p = 0, i = 0, d = 0;
};

// 0xA3: GPS fix. Degrees, metres, metres per second.
struct GpsReport {
  float longitude = 0, latitude = 0;
  float altitude = 0;
  int satellites = 0;
  float course = 0;
  float speed = 0;
};

// 0xA5: navigation target. Degrees and metres; the control outputs in degrees.
struct TargetReport {
  float longitude = 0, latitude = 0;
  float altitude = 0;
  float distance = 0;
  float x_output = 0, y_output = 0;
};

// 0xA6: flight-controller status.
struct StatusReport {
  int mode = 0;             // 1 manual, 2 balance, 3 position hold, 4 ESC calibration
  float battery = 0;        // volts
  float servo_voltage = 0;  // volts
  int error_code = 0;
  int i2c_errors = 0;
  int uptime = 0;  // seconds since power-on
};

// 0xA4: magnetometer extremes of a calibration run, raw counts.
struct MagRangeReport {
  float max_hx = 0, max_hy = 0, max_hz = 0;
  float min_hx = 0, min_hy = 0, min_hz = 0;
};

// 0x0F: one optical-flow motion sample, sensor counts.
struct FlowReport {
  int x = 0, y = 0;
};

// A TYPE no decoder knows.
struct UnknownFrame {};
// A known TYPE whose payload is shorter than its layout; it is not decoded.
struct ShortFrame {};

using Report = std::variant<UnknownFrame, ShortFrame, ImuReport, MotionReport, PwmInReport,
                            PwmOutReport, TrackReport, PidReport, GpsReport, TargetReport,
                            StatusReport, MagRangeReport, FlowReport>;

}  // namespace tarvel::link
