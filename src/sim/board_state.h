#pragma once
// What the simulated board really does at its current time: the truth behind its frames, for
// tests and for showing the simulator's own state.

#include "sim/vec3.h"

namespace tarvel::sim {

struct BoardState {
  double time = 0;                      // seconds since power-on
  double yaw = 0, pitch = 0, roll = 0;  // degrees, conventions of attitude_path.h
  Vec3 body_rates;                      // degrees per second, sensor axes
  Vec3 gyro_bias;                       // degrees per second, sensor axes
  double altitude = 0;                  // metres, as reported (relative to the last zero)
  double temperature = 0;               // degrees Celsius
  double pressure = 0;                  // pascal
  int tracked_loop = 1;                 // loop of the tracking samples, 1..4
  bool servos_held = false;             // outputs held at neutral after the servo command
  bool mag_collecting = true;           // the magnetometer extremes are being collected
};

}  // namespace tarvel::sim
