#pragma once
// Diamond-shaped lamp (the message lamp beside the log). Lit, it glows in its active colour
// (red unless set); dark, it shows the dim version of that colour. The diamond is the largest
// square, turned by 45 degrees, that fits the widget. Setters repaint only on a change.

#include <QColor>
#include <QWidget>

#include "widgets/lamp.h"

namespace tarvel::widgets {

class DiamondLed : public Lamp {
  Q_OBJECT

 public:
  explicit DiamondLed(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {24, 24}; }
  QSize minimumSizeHint() const override { return {8, 8}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarvel::widgets
