#pragma once
// Toggle switch with a built-in LED and a caption under it (the connect switch).
//
// The user operates it with a mouse click (press and release on the switch) or the Space key
// when it has focus; each operation emits Switched() once and flips the lever. The lever is
// only cosmetic: the window decides what the LED and the caption show, from the real state of
// what the switch controls. Built on QAbstractButton for its click, keyboard and focus rules.
// Setters repaint only on a change.

#include <QAbstractButton>
#include <QColor>
#include <QString>

namespace tarvel::widgets {

class SwitchLed : public QAbstractButton {
  Q_OBJECT

 public:
  explicit SwitchLed(QWidget* parent = nullptr);

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption);

  bool LedActive() const { return led_active_; }
  void SetLedActive(bool active);

  QColor LedColor() const { return led_color_; }
  void SetLedColor(const QColor& color);

  // Lever up (true) or down; flips with every operation by the user.
  bool LeverUp() const { return isChecked(); }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void Switched();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool led_active_ = false;
  QColor led_color_{40, 230, 70};
};

}  // namespace tarvel::widgets
