#include "widgets/instrument_style.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

namespace tarvel::widgets::style {

QColor DarkVersion(const QColor& lit) {
  const QColor hsv = lit.toHsv();
  const float hue = hsv.hsvHueF();  // -1 for greys, which QColor accepts back
  return QColor::fromHsvF(hue, hsv.hsvSaturationF() * 0.85f, hsv.valueF() * 0.22f);
}

QRectF DrawBezel(QPainter& painter, const QRectF& outer, qreal radius, qreal width,
                 const QColor& face) {
  painter.save();
  painter.setPen(QPen(QColor(8, 9, 10), 1.0));
  QLinearGradient rim(outer.topLeft(), outer.bottomRight());
  rim.setColorAt(0.0, QColor(132, 138, 146));
  rim.setColorAt(0.45, QColor(70, 74, 80));
  rim.setColorAt(1.0, QColor(28, 30, 33));
  painter.setBrush(rim);
  const QRectF edge = outer.adjusted(0.5, 0.5, -0.5, -0.5);
  painter.drawRoundedRect(edge, radius, radius);

  const QRectF inner = outer.adjusted(width, width, -width, -width);
  const qreal inner_radius = qMax<qreal>(0.0, radius - width * 0.6);
  painter.setPen(QPen(QColor(0, 0, 0), 1.0));
  painter.setBrush(face);
  painter.drawRoundedRect(inner.adjusted(0.5, 0.5, -0.5, -0.5), inner_radius, inner_radius);
  painter.restore();
  return inner;
}

void DrawLamp(QPainter& painter, const QPainterPath& shape, const QRectF& bounds, const QColor& lit,
              bool active) {
  painter.save();
  painter.setPen(QPen(QColor(6, 6, 6), 1.0));
  if (active) {
    QLinearGradient glow(bounds.topLeft(), bounds.bottomLeft());
    glow.setColorAt(0.0, lit.lighter(165));
    glow.setColorAt(0.4, lit);
    glow.setColorAt(0.6, lit);
    glow.setColorAt(1.0, lit.darker(135));
    painter.setBrush(glow);
  } else {
    const QColor dark = DarkVersion(lit);
    QLinearGradient dim(bounds.topLeft(), bounds.bottomLeft());
    dim.setColorAt(0.0, dark.lighter(160));
    dim.setColorAt(0.5, dark);
    dim.setColorAt(1.0, dark.darker(130));
    painter.setBrush(dim);
  }
  painter.drawPath(shape);

  // A small reflection near the top edge, clear of the middle so the centre shows the colour.
  painter.setPen(Qt::NoPen);
  const QRectF spot(bounds.left() + bounds.width() * 0.2, bounds.top() + bounds.height() * 0.1,
                    bounds.width() * 0.6, bounds.height() * 0.22);
  QRadialGradient shine(spot.center(), spot.width() / 2);
  shine.setColorAt(0.0, QColor(255, 255, 255, active ? 130 : 45));
  shine.setColorAt(1.0, QColor(255, 255, 255, 0));
  painter.setBrush(shine);
  painter.setClipPath(shape, Qt::IntersectClip);
  painter.drawEllipse(spot);
  painter.restore();
}

QFont FitFont(const QFont& font, const QString& text, const QSizeF& box) {
  const QFontMetricsF metrics(font);
  const qreal wide = metrics.horizontalAdvance(text);
  const qreal tall = metrics.height();
  if (wide <= 0.0 || tall <= 0.0) return font;
  const qreal scale = std::min({1.0, box.width() / wide, box.height() / tall});
  if (scale >= 1.0) return font;
  QFont fitted = font;
  const qreal pixels = std::max<qreal>(5.0, QFontInfo(font).pixelSize() * scale);
  fitted.setPixelSize(static_cast<int>(pixels));
  return fitted;
}

}  // namespace tarvel::widgets::style
