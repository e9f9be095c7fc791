#pragma once
// servomid, the confirmation in front of the servo-neutral command: the flight controller takes
// the receiver values of this moment as the new neutral, which shifts every later input.
// "记录" runs the accept action and hides the window, "取消" only hides it. The accept action
// runs whether the port is open or not (a closed port makes it silent).

#include <functional>

#include "widgets/confirm_window.h"

namespace tarvel::console {

class servomid : public widgets::ConfirmWindow {
  Q_OBJECT

 public:
  explicit servomid(std::function<void()> on_accept, QWidget* parent = nullptr);

  void Command1_Click() { Accept(); }
  void Command2_Click() { Cancel(); }

  QPushButton* const Command1 = accept_button;  // "记录"
  QPushButton* const Command2 = cancel_button;  // "取消"
};

}  // namespace tarvel::console
