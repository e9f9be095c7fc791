#pragma once
// Round lamp (the console's GPS, target and status lamps). Lit, it glows in its active colour
// (green unless set); dark, it shows the dim version of that colour. The lamp is the largest
// circle that fits the widget. Setters repaint only on a change; Toggle() always changes.

#include <QColor>
#include <QWidget>

#include "widgets/lamp.h"

namespace tarvel::widgets {

class RoundLed : public Lamp {
  Q_OBJECT

 public:
  explicit RoundLed(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {20, 20}; }
  QSize minimumSizeHint() const override { return {8, 8}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarvel::widgets
