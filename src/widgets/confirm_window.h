#pragma once
// ConfirmWindow: the small window in front of a command that changes the board (gyroscope
// zero, servo neutral, magnetometer calibration). Shown without blocking; the accept button
// runs the accept action and hides the window, the cancel button only hides it. Each window
// built on it keeps its own caption, text, button names and layout.

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace tarvel::widgets {

class ConfirmWindow : public QWidget {
  Q_OBJECT

 public:
  struct Layout {
    QString caption;
    QString text;
    QString accept_text;
    QString cancel_text;
    QSize size;
    QRect text_place;
    QRect accept_place;
    QRect cancel_place;
    bool cancel_is_default = false;  // Enter answers with the harmless choice
  };

  ConfirmWindow(const Layout& layout, std::function<void()> on_accept, QWidget* parent);

  void Accept();  // runs the accept action, then hides
  void Cancel();  // only hides

  QLabel* const Label1;  // what accepting does

 protected:
  QPushButton* const accept_button;
  QPushButton* const cancel_button;

 private:
  std::function<void()> on_accept_;
};

}  // namespace tarvel::widgets
