#include "widgets/round_led.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "widgets/instrument_style.h"

namespace tarvel::widgets {

RoundLed::RoundLed(QWidget* parent) : Lamp(QColor(40, 230, 70), parent) {}

void RoundLed::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal side = std::min(width(), height()) - 1.0;
  const QRectF outer(QRectF(rect()).center() - QPointF(side / 2, side / 2), QSizeF(side, side));

  const QRectF face = style::DrawBezel(painter, outer, side / 2, std::max<qreal>(2.0, side / 9));
  const QRectF glass = face.adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath shape;
  shape.addEllipse(glass);
  style::DrawLamp(painter, shape, glass, ActiveColor(), IsActive());
}

}  // namespace tarvel::widgets
