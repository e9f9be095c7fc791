#pragma once
// The records one window writes and another shows, kept by the Station so they exist before
// (and after) the window that shows them: writing a record never creates, loads or shows a
// window. All of them live on the user-interface thread.

#include <QString>
#include <array>
#include <cstdint>

#include "link/reports.h"

namespace tarvel::station {

// The newest telemetry: written as attitude and sensor frames arrive, read by the instrument
// refresh and the CSV recorder. Log playback never writes it.
struct TelemetryState {
  // From the newest attitude frame (degrees, metres).
  float yaw = 0, pitch = 0, roll = 0;
  float altitude = 0;
  // From the newest sensor frame, raw counts.
  double acc_x = 0, acc_y = 0, acc_z = 0;
  double gyro_x = 0, gyro_y = 0, gyro_z = 0;
  double mag_x = 0, mag_y = 0, mag_z = 0;
  // Set when a frame's group has been stored, cleared by the refresh that shows it.
  bool imu_new = false;
  bool motion_new = false;
  // Attitude frames since the frame-rate read-out last showed and cleared the count.
  std::int16_t imu_frame_count = 0;

  // Stores the attitude group of one frame, counts it and flags it new.
  void StoreImu(const link::ImuReport& r) {
    yaw = r.yaw;
    pitch = r.pitch;
    roll = r.roll;
    altitude = r.altitude;
    imu_frame_count = static_cast<std::int16_t>(imu_frame_count + 1);
    imu_new = true;
  }

  // Stores the nine raw values of one sensor frame and flags them new.
  void StoreMotion(const link::MotionReport& r) {
    acc_x = r.acc_x;
    acc_y = r.acc_y;
    acc_z = r.acc_z;
    gyro_x = r.gyro_x;
    gyro_y = r.gyro_y;
    gyro_z = r.gyro_z;
    mag_x = r.mag_x;
    mag_y = r.mag_y;
    mag_z = r.mag_z;
    motion_new = true;
  }
};

// The console's PWM channels: receiver inputs CH1..CH6 (inch1..inch6) and motor/servo outputs
// CH1..CH8 (outch1..outch8), pulse widths in microseconds. The console shows them on its own
// 20 ms tick and sets them all to 1500 when it loads.
struct ConsoleChannels {
  std::array<float, 6> inch{};
  std::array<float, 8> outch{};
};

// What the 3D attitude window shows, written by the instrument refresh and the log player and
// read by the window on its own timer.
struct Big3DFields {
  float Roll = 0;   // bank angle with the sign the model needs (the negative of the board's roll)
  float Pitch = 0;  // degrees
  float Yaw = 0;    // degrees
  QString str_roll, str_pitch, str_yaw;                 // the angles as shown
  QString str_Xjiaosulv, str_Yjiaosulv, str_Zjiaosulv;  // gyroscope readings as shown
  QString str_Xjiasudu, str_Yjiasudu, str_Zjiasudu;     // accelerometer readings as shown
  QString str_Xcichang, str_Ycichang, str_Zcichang;     // magnetometer readings as shown
};

// How many raw counts make one unit: read from OSC.ini at start-up, edited in the sensor
// resolution window, used by the scaled read-outs and the CSV recorder.
struct Resolutions {
  double ACC_Resolution = 16384;  // accelerometer counts per g
  double GYRO_Resolution = 32.8;  // gyroscope counts per degree per second
};

// The magnetometer extremes of a calibration run, raw counts, as the board last reported them.
struct MagExtremes {
  float max_hx = 0, max_hy = 0, max_hz = 0;
  float min_hx = 0, min_hy = 0, min_hz = 0;
};

// The newest optical-flow motion sample, sensor counts.
struct FlowSample {
  int x = 0, y = 0;
  std::uint64_t count = 0;  // samples received so far, so a reader can tell a new one
};

}  // namespace tarvel::station
