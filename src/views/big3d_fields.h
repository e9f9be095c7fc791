#pragma once
// What the 3D attitude window shows, written by the instrument refresh and the log player and
// read by the window on its own timer. It exists without the window, so writing it never
// creates, loads or shows anything.

#include <QString>

namespace tarvel::views {

struct Big3DFields {
  float Roll = 0;   // bank angle with the sign the model needs (the negative of the board's roll)
  float Pitch = 0;  // degrees
  float Yaw = 0;    // degrees
  QString str_roll, str_pitch, str_yaw;                 // the angles as shown
  QString str_Xjiaosulv, str_Yjiaosulv, str_Zjiaosulv;  // gyroscope readings as shown
  QString str_Xjiasudu, str_Yjiasudu, str_Zjiasudu;     // accelerometer readings as shown
  QString str_Xcichang, str_Ycichang, str_Zcichang;     // magnetometer readings as shown
};

}  // namespace tarvel::views
