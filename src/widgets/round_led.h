#pragma once
// Round lamp (the console's GPS, target and status lamps). Lit, it glows in its active colour
// (green unless set); dark, it shows the dim version of that colour. The lamp is the largest
// circle that fits the widget. Setters repaint only on a change; Toggle() always changes.

#include <QColor>
#include <QWidget>

namespace tarvel::widgets {

class RoundLed : public QWidget {
  Q_OBJECT

 public:
  explicit RoundLed(QWidget* parent = nullptr);

  bool IsActive() const { return active_; }
  void SetActive(bool active);
  void Toggle();

  QColor ActiveColor() const { return active_color_; }
  void SetActiveColor(const QColor& color);

  QSize sizeHint() const override { return {20, 20}; }
  QSize minimumSizeHint() const override { return {8, 8}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool active_ = false;
  QColor active_color_{40, 230, 70};
};

}  // namespace tarvel::widgets
