#pragma once
// servomid, the confirmation in front of the servo-neutral command: the flight controller takes
// the receiver values of this moment as the new neutral, which shifts every later input.
// Shown without blocking; "记录" runs the accept action and hides the window, "取消" only hides
// it. The accept action runs whether the port is open or not (a closed port makes it silent).

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace tarvel::console {

class servomid : public QWidget {
  Q_OBJECT

 public:
  explicit servomid(std::function<void()> on_accept, QWidget* parent = nullptr);

  void Command1_Click();
  void Command2_Click() { hide(); }

  QLabel* Label1;         // what recording the neutral does
  QPushButton* Command1;  // "记录"
  QPushButton* Command2;  // "取消"

 private:
  std::function<void()> on_accept_;
};

}  // namespace tarvel::console
