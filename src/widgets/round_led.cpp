#include "widgets/round_led.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "widgets/instrument_style.h"

namespace tarvel::widgets {

RoundLed::RoundLed(QWidget* parent) : QWidget(parent) {}

void RoundLed::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  update();
}

void RoundLed::Toggle() {
  active_ = !active_;
  update();
}

void RoundLed::SetActiveColor(const QColor& color) {
  if (color == active_color_) return;
  active_color_ = color;
  update();
}

void RoundLed::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal side = std::min(width(), height()) - 1.0;
  const QRectF outer(QRectF(rect()).center() - QPointF(side / 2, side / 2), QSizeF(side, side));

  const QRectF face = style::DrawBezel(painter, outer, side / 2, std::max<qreal>(2.0, side / 9));
  const QRectF glass = face.adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath shape;
  shape.addEllipse(glass);
  style::DrawLamp(painter, shape, glass, active_color_, active_);
}

}  // namespace tarvel::widgets
