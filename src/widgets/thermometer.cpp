#include "widgets/thermometer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "widgets/instrument_style.h"

namespace tarvel::widgets {

namespace {

constexpr qreal kBezel = 3.0;

// The smallest 1, 2 or 5 times a power of ten that is at least `raw`.
double NiceStep(double raw) {
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * decade >= raw) return m * decade;
  }
  return 10.0 * decade;
}

}  // namespace

Thermometer::Thermometer(QWidget* parent) : QWidget(parent) {}

void Thermometer::SetPosition(double value) {
  if (std::isnan(value)) return;
  const double clamped = std::clamp(value, min_, max_);
  if (clamped == position_) return;
  // Compare the column tops in quarter pixels: finer changes cannot be seen.
  const Geometry g = Layout();
  const long before = std::lround(LevelY(g, position_) * 4.0);
  position_ = clamped;
  if (std::lround(LevelY(g, position_) * 4.0) != before) update();
}

void Thermometer::SetRange(double min, double max) {
  if (!std::isfinite(min) || !std::isfinite(max)) return;
  if (min > max) std::swap(min, max);
  if (min == min_ && max == max_) return;
  min_ = min;
  max_ = max;
  position_ = std::clamp(position_, min_, max_);
  still_.Invalidate();
  update();
}

void Thermometer::SetColumnColor(const QColor& color) {
  if (color == column_color_) return;
  column_color_ = color;
  still_.Invalidate();
  update();
}

QSize Thermometer::sizeHint() const {
  return {56, 200};
}
QSize Thermometer::minimumSizeHint() const {
  return {30, 80};
}

Thermometer::Geometry Thermometer::Layout() const {
  Geometry g;
  g.face = QRectF(rect()).adjusted(kBezel, kBezel, -kBezel, -kBezel);
  const qreal tube_width = std::clamp(g.face.width() * 0.2, 5.0, 14.0);
  g.bulb_radius = tube_width * 1.2;
  const qreal centre_x = g.face.right() - g.bulb_radius - 3.0;
  g.bulb = QPointF(centre_x, g.face.bottom() - g.bulb_radius - 4.0);
  const qreal tube_top = g.face.top() + 7.0;
  g.tube = QRectF(centre_x - tube_width / 2, tube_top, tube_width, g.bulb.y() - tube_top);
  g.scale_high = tube_top + tube_width / 2 + 2.0;
  g.scale_low = g.bulb.y() - g.bulb_radius - 4.0;
  return g;
}

qreal Thermometer::LevelY(const Geometry& g, double position) const {
  const double span = max_ - min_;
  double fraction = span > 0.0 ? (position - min_) / span : 0.0;
  fraction = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
  return g.scale_low - fraction * (g.scale_low - g.scale_high);
}

void Thermometer::DrawScale(QPainter& painter, const Geometry& g) const {
  const double span = max_ - min_;
  const qreal pixels = g.scale_low - g.scale_high;
  if (!(span > 0.0 && std::isfinite(span)) || pixels <= 4.0) return;

  QFont font = this->font();
  font.setPixelSize(std::clamp(static_cast<int>(g.face.width() / 4.2), 7, 11));
  painter.setFont(font);
  const QFontMetricsF metrics(font);

  // Labels at least 1.6 text heights apart; minor ticks halve the step when there is room.
  const double step = NiceStep(span * metrics.height() * 1.6 / pixels);
  const qreal step_px = step / span * pixels;
  const double minor = step_px >= 12.0 ? step / 2.0 : step;

  const qreal tick_right = g.tube.left() - 2.0;
  const qreal label_right = tick_right - 6.0;
  painter.setPen(QPen(style::kFaceText, 1.0));
  // Counted with an integer, so a range far from zero (where k + 1 == k in double) still ends.
  const double first = std::ceil(min_ / minor - 1e-9);
  const double count = std::floor(max_ / minor + 1e-9) - first;
  if (!(count >= 0.0 && count < 1000.0)) return;
  for (int k = 0; k <= static_cast<int>(count); ++k) {
    const double value = (first + k) * minor;
    const qreal y = LevelY(g, value);
    const double in_steps = value / step;
    const bool major = std::abs(in_steps - std::round(in_steps)) < 1e-6;
    painter.drawLine(QPointF(tick_right - (major ? 5.0 : 3.0), y), QPointF(tick_right, y));
    if (!major) continue;
    const QString text = QString::number(std::abs(value) < step * 1e-9 ? 0.0 : value);
    const QRectF box(g.face.left(), y - metrics.height() / 2, label_right - g.face.left() + 2,
                     metrics.height());
    painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
  }
}

void Thermometer::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const Geometry g = Layout();
  // Bezel, scale and empty glass change only with the size, range or style: kept as an image.
  KeepOpaque(*this, still_.PaintOpaque(*this, painter, event->region(),
                                       [&](QPainter& p) { DrawStill(p, g); }));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);

  // Liquid: the bulb and the column up to the level.
  const qreal level = LevelY(g, position_);
  QPainterPath liquid;
  liquid.setFillRule(Qt::WindingFill);
  const qreal inset = 1.0;
  liquid.addRect(
      QRectF(g.tube.left() + inset, level, g.tube.width() - 2 * inset, g.bulb.y() - level));
  liquid.addEllipse(g.bulb, g.bulb_radius - inset, g.bulb_radius - inset);
  liquid = liquid.simplified();
  QLinearGradient shade(QPointF(g.bulb.x() - g.bulb_radius, 0),
                        QPointF(g.bulb.x() + g.bulb_radius, 0));
  shade.setColorAt(0.0, column_color_.darker(150));
  shade.setColorAt(0.45, column_color_.lighter(125));
  shade.setColorAt(1.0, column_color_.darker(150));
  painter.setPen(Qt::NoPen);
  painter.setBrush(shade);
  painter.drawPath(liquid);

  // A glint on the glass, left of the axis so the column colour stays visible.
  painter.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
  painter.drawLine(QPointF(g.tube.left() + 1.5, g.tube.top() + 3),
                   QPointF(g.tube.left() + 1.5, g.scale_low));
}

void Thermometer::DrawStill(QPainter& painter, const Geometry& g) const {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  style::DrawBezel(painter, QRectF(rect()), 4.0, kBezel);
  DrawScale(painter, g);

  // Glass: tube and bulb as one outline.
  const qreal glass = 1.5;
  // Winding fill, so that where tube and bulb overlap they merge instead of cancelling.
  QPainterPath outline;
  outline.setFillRule(Qt::WindingFill);
  outline.addRoundedRect(g.tube.adjusted(-glass, -glass, glass, 0), g.tube.width() / 2 + glass,
                         g.tube.width() / 2 + glass);
  outline.addEllipse(g.bulb, g.bulb_radius + glass, g.bulb_radius + glass);
  outline = outline.simplified();
  painter.setPen(QPen(QColor(150, 158, 168), 1.0));
  painter.setBrush(QColor(34, 38, 44));
  painter.drawPath(outline);
}

void Thermometer::changeEvent(QEvent* event) {
  still_.Invalidate();  // font, palette or style
  QWidget::changeEvent(event);
}

}  // namespace tarvel::widgets
