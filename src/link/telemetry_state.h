#pragma once
// The main window's record of the newest telemetry: written by the attitude and sensor
// decoders, read by the instrument refresh and the CSV recorder. One instance for the run,
// used on the user-interface thread only.

#include <cstdint>

#include "link/reports.h"

namespace tarvel::link {

struct TelemetryState {
  // From the newest attitude frame (degrees, metres).
  float yaw = 0, pitch = 0, roll = 0;
  float altitude = 0;
  // From the newest sensor frame, raw counts.
  double acc_x = 0, acc_y = 0, acc_z = 0;
  double gyro_x = 0, gyro_y = 0, gyro_z = 0;
  double mag_x = 0, mag_y = 0, mag_z = 0;
  // Set after a decoded attitude / sensor frame, cleared by the refresh that shows it.
  bool imu_new = false;
  bool motion_new = false;
  // Attitude frames since the frame-rate read-out last showed and cleared the count.
  std::int16_t imu_frame_count = 0;

  // Stores the attitude group of one frame and counts it; the flag is the caller's to set.
  void StoreImu(const ImuReport& r) {
    yaw = r.yaw;
    pitch = r.pitch;
    roll = r.roll;
    altitude = r.altitude;
    imu_frame_count = static_cast<std::int16_t>(imu_frame_count + 1);
  }

  // Stores the nine raw values of one sensor frame; the flag is the caller's to set.
  void StoreMotion(const MotionReport& r) {
    acc_x = r.acc_x;
    acc_y = r.acc_y;
    acc_z = r.acc_z;
    gyro_x = r.gyro_x;
    gyro_y = r.gyro_y;
    gyro_z = r.gyro_z;
    mag_x = r.mag_x;
    mag_y = r.mag_y;
    mag_z = r.mag_z;
  }
};

}  // namespace tarvel::link
