#include "widgets/diamond_led.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

#include "widgets/instrument_style.h"

namespace tarvel::widgets {

DiamondLed::DiamondLed(QWidget* parent) : Lamp(QColor(235, 30, 30), parent) {}

void DiamondLed::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal half = std::min(width(), height()) / 2.0 - 0.5;
  const QPointF c = QRectF(rect()).center();

  // Dark metal rim, then the lamp inside it.
  auto diamond = [&c](qreal r) {
    QPainterPath path;
    path.addPolygon(QPolygonF({QPointF(c.x(), c.y() - r), QPointF(c.x() + r, c.y()),
                               QPointF(c.x(), c.y() + r), QPointF(c.x() - r, c.y())}));
    path.closeSubpath();
    return path;
  };
  QLinearGradient rim(c - QPointF(half, half), c + QPointF(half, half));
  rim.setColorAt(0.0, QColor(132, 138, 146));
  rim.setColorAt(1.0, QColor(28, 30, 33));
  painter.setPen(QPen(QColor(8, 9, 10), 1.0));
  painter.setBrush(rim);
  painter.drawPath(diamond(half));

  const qreal r = std::max<qreal>(1.0, half - 3.0);
  style::DrawLamp(painter, diamond(r), QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), ActiveColor(),
                  IsActive());
}

}  // namespace tarvel::widgets
