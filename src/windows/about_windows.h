#pragma once
// The two information windows: `about` (the station and the board) and `flyabout` (the flight
// controller). "OK" hides a window; it keeps its content and shows again on the next use.

#include <QWidget>

#include "station/maker_addresses.h"

class QLabel;
class QPushButton;

namespace tarvel::windows {

class about : public QWidget {
  Q_OBJECT

 public:
  explicit about(QWidget* parent = nullptr);
  void Command1_Click() { hide(); }

  QLabel* Picture1;       // the board
  QLabel* Label3;         // version line
  QLabel* Label2;         // the maker's web shop
  QLabel* Label1;         // credit line
  QPushButton* Command1;  // "OK"
};

class flyabout : public QWidget {
  Q_OBJECT

 public:
  explicit flyabout(QWidget* parent = nullptr);
  void Command1_Click() { hide(); }

  QLabel* Picture1;       // the flight controller
  QLabel* Label1;         // version line
  QLabel* Label2;         // credit line
  QLabel* Label3;         // "官方网址" and the shop
  QPushButton* Command1;  // "OK"
};

}  // namespace tarvel::windows
