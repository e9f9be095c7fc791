#pragma once
// Diamond-shaped lamp (the message lamp beside the log). Lit, it glows in its active colour
// (red unless set); dark, it shows the dim version of that colour. The diamond is the largest
// square, turned by 45 degrees, that fits the widget. Setters repaint only on a change.

#include <QColor>
#include <QWidget>

namespace tarvel::widgets {

class DiamondLed : public QWidget {
  Q_OBJECT

 public:
  explicit DiamondLed(QWidget* parent = nullptr);

  bool IsActive() const { return active_; }
  void SetActive(bool active);
  void Toggle();

  QColor ActiveColor() const { return active_color_; }
  void SetActiveColor(const QColor& color);

  QSize sizeHint() const override { return {24, 24}; }
  QSize minimumSizeHint() const override { return {8, 8}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool active_ = false;
  QColor active_color_{235, 30, 30};
};

}  // namespace tarvel::widgets
