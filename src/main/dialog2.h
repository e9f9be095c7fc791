#pragma once
// Dialog2, the confirmation in front of the gyroscope-zero command: the board must lie still
// while it measures the bias. Shown without blocking; "确定" runs the accept action and hides
// the window, "取消" only hides it.

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace tarvel::main_window {

class Dialog2 : public QWidget {
  Q_OBJECT

 public:
  explicit Dialog2(std::function<void()> on_accept, QWidget* parent = nullptr);

  void OKButton_Click();
  void CancelButton_Click() { hide(); }

  QLabel* Label1;             // what to do before accepting
  QPushButton* OKButton;      // "确定"
  QPushButton* CancelButton;  // "取消"

 private:
  std::function<void()> on_accept_;
};

}  // namespace tarvel::main_window
