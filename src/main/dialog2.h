#pragma once
// Dialog2, the confirmation in front of the gyroscope-zero command: the board must lie still
// while it measures the bias. "确定" sends the command (through the accept action) and hides
// the window, "取消" only hides it.

#include <functional>

#include "widgets/confirm_window.h"

namespace tarvel::main_window {

class Dialog2 : public widgets::ConfirmWindow {
  Q_OBJECT

 public:
  explicit Dialog2(std::function<void()> on_accept, QWidget* parent = nullptr);

  void OKButton_Click() { Accept(); }
  void CancelButton_Click() { Cancel(); }

  QPushButton* const OKButton = accept_button;      // "确定"
  QPushButton* const CancelButton = cancel_button;  // "取消"
};

}  // namespace tarvel::main_window
