#pragma once
// The pictures of the about windows, drawn here: the board seen from above with its axes, and
// a small quadcopter for the flight controller.

#include <QPixmap>

namespace tarvel::windows {

QPixmap BoardPicture(QSize size);
QPixmap AircraftPicture(QSize size);

}  // namespace tarvel::windows
