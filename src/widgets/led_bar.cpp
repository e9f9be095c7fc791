#include "widgets/led_bar.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "widgets/instrument_style.h"

namespace tarvel::widgets {

namespace {

constexpr qreal kBezel = 3.0;
constexpr qreal kPadding = 2.0;
constexpr qreal kGap = 2.0;
constexpr qreal kPitch = 6.0;  // segment plus gap

}  // namespace

LedBar::LedBar(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void LedBar::SetPosition(double value) {
  if (std::isnan(value)) return;
  const double clamped = std::clamp(value, min_, max_);
  if (clamped == position_) return;
  const int lit_before = LitFor(position_);
  position_ = clamped;
  if (LitFor(position_) != lit_before) update();
}

void LedBar::SetRange(double min, double max) {
  if (!std::isfinite(min) || !std::isfinite(max)) return;
  if (min > max) std::swap(min, max);
  if (min == min_ && max == max_) return;
  min_ = min;
  max_ = max;
  position_ = std::clamp(position_, min_, max_);
  update();
}

void LedBar::SetOrientation(Qt::Orientation orientation) {
  if (orientation == orientation_) return;
  orientation_ = orientation;
  updateGeometry();
  update();
}

void LedBar::SetReversed(bool reversed) {
  if (reversed == reversed_) return;
  reversed_ = reversed;
  update();
}

void LedBar::SetActiveColor(const QColor& color) {
  if (color == active_color_) return;
  active_color_ = color;
  update();
}

QColor LedBar::InactiveColor() const {
  return inactive_color_.isValid() ? inactive_color_ : style::DarkVersion(active_color_);
}

void LedBar::SetInactiveColor(const QColor& color) {
  if (color == inactive_color_) return;
  inactive_color_ = color;
  update();
}

double LedBar::Length() const {
  const int along = orientation_ == Qt::Vertical ? height() : width();
  return along - 2 * (kBezel + kPadding);
}

int LedBar::SegmentCount() const {
  return std::max(1, static_cast<int>(std::floor((Length() + kGap) / kPitch)));
}

int LedBar::LitFor(double position) const {
  const double span = max_ - min_;
  if (span <= 0.0) return 0;
  // Ranges near the limits of double can overflow to inf/inf; such a fraction counts as 0.
  double fraction = (position - min_) / span;
  fraction = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
  const int segments = SegmentCount();
  return static_cast<int>(std::floor(fraction * segments + 0.5));
}

QSize LedBar::sizeHint() const {
  return orientation_ == Qt::Vertical ? QSize(30, 170) : QSize(170, 30);
}

QSize LedBar::minimumSizeHint() const {
  return orientation_ == Qt::Vertical ? QSize(14, 30) : QSize(30, 14);
}

void LedBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF face = style::DrawBezel(painter, QRectF(rect()), 4.0, kBezel);
  const QRectF track = face.adjusted(kPadding, kPadding, -kPadding, -kPadding);

  const bool vertical = orientation_ == Qt::Vertical;
  const int segments = SegmentCount();
  const int lit = LitFor(position_);
  const qreal length = vertical ? track.height() : track.width();
  const qreal size = std::max<qreal>(1.0, (length - (segments - 1) * kGap) / segments);
  const QColor on = active_color_;
  const QColor off = InactiveColor();

  painter.setPen(Qt::NoPen);
  for (int i = 0; i < segments; ++i) {
    // Distance of segment i from the low end, then mapped to the side the bar grows from.
    const qreal offset = i * (size + kGap);
    // Unreversed vertical bars grow upwards, unreversed horizontal bars to the right.
    const bool from_far_edge = vertical != reversed_;
    QRectF seg;
    if (vertical) {
      const qreal top = from_far_edge ? track.bottom() - offset - size : track.top() + offset;
      seg = QRectF(track.left(), top, track.width(), size);
    } else {
      const qreal left = from_far_edge ? track.right() - offset - size : track.left() + offset;
      seg = QRectF(left, track.top(), size, track.height());
    }
    const bool is_lit = i < lit;
    const QColor base = is_lit ? on : off;
    // Shaded across the bar, so each segment looks slightly domed.
    QLinearGradient shade(seg.topLeft(), vertical ? seg.topRight() : seg.bottomLeft());
    shade.setColorAt(0.0, base.darker(is_lit ? 125 : 110));
    shade.setColorAt(0.5, is_lit ? base.lighter(118) : base);
    shade.setColorAt(1.0, base.darker(is_lit ? 125 : 110));
    painter.setBrush(shade);
    painter.drawRoundedRect(seg, 1.0, 1.0);
  }
}

}  // namespace tarvel::widgets
