#pragma once
// What a simulated board sends and how its link misbehaves. The defaults are a healthy board
// on a clean line at the rates of the real firmware.

#include <cstdint>

namespace tarvel::sim {

// Frames per second of each periodic frame; 0 (or less) means the frame is never sent. Rates
// above kMaxRateHz are sent at kMaxRateHz. The PID frames are not periodic: they answer the
// read commands.
struct FrameRates {
  static constexpr double kMaxRateHz = 1000;

  double imu_hz = 50;       // 0xA1 attitude and barometer
  double motion_hz = 50;    // 0xA2 raw sensors
  double pwm_in_hz = 10;    // 0x12 receiver inputs
  double pwm_out_hz = 10;   // 0x13 motor and servo outputs
  double gps_hz = 5;        // 0xA3 GPS position
  double target_hz = 5;     // 0xA5 navigation target
  double status_hz = 2;     // 0xA6 system status
  double track_hz = 25;     // 0x15 tracking sample of the selected loop
  double mag_range_hz = 1;  // 0xA4 magnetometer extremes
  double flow_hz = 0;       // 0x0F optical flow (no flow sensor fitted by default)
};

// Link faults, each decided per frame (answers to commands included).
struct Faults {
  static constexpr int kMaxNoiseBytes = 1000;

  // Probability that a frame's SUM byte is wrong.
  double corrupt_checksum = 0;
  // Probability that a burst of 1..max_noise_bytes random bytes precedes a frame. The bursts
  // never contain A5, so they cannot forge a header: every frame after a burst still arrives.
  // Bursts longer than kMaxNoiseBytes are cut to it.
  double noise = 0;
  int max_noise_bytes = 16;
};

struct BoardOptions {
  std::uint32_t seed = 1;  // the same seed and options give the same byte stream
  FrameRates rates;
  Faults faults;
};

}  // namespace tarvel::sim
