#include "widgets/compass.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "widgets/instrument_style.h"

namespace tarvel::widgets {

namespace {

// Repaint granularity in tenths of a degree.
long Tenths(double heading) {
  return std::lround(heading * 10.0);
}

const QColor kLubber{255, 150, 20};
const QColor kNorth{230, 40, 40};

}  // namespace

Compass::Compass(QWidget* parent) : QWidget(parent) {}

double Compass::NormalizeHeading(double degrees) {
  if (!std::isfinite(degrees)) return std::nan("");
  double folded = std::fmod(degrees, 360.0);
  if (folded < 0.0) folded += 360.0;
  // A tiny negative value folds to 360 after the addition; -0.0 becomes +0.0.
  if (folded >= 360.0) folded = 0.0;
  return folded + 0.0;
}

double Compass::ScreenAngle(double bearing, double heading) {
  return NormalizeHeading(bearing - heading);
}

void Compass::SetHeading(double degrees) {
  const double heading = NormalizeHeading(degrees);
  if (std::isnan(heading) || heading == heading_) return;
  const long before = Tenths(heading_);
  heading_ = heading;
  if (Tenths(heading_) != before) update();
}

void Compass::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) card_image_ = QImage();  // its texts use the font
  QWidget::changeEvent(event);
}

// The card unturned, north up, centred on the painter's origin.
void Compass::DrawCard(QPainter& painter, qreal card) const {
  const qreal long_tick = card * 0.14;
  const qreal short_tick = card * 0.08;
  // Ticks every 10 degrees, longer every 30; north has its own marker instead.
  for (int bearing = 10; bearing < 360; bearing += 10) {
    const bool major = bearing % 30 == 0;
    painter.save();
    painter.rotate(bearing);
    painter.setPen(QPen(style::kFaceText, major ? 1.6 : 1.0));
    painter.drawLine(QPointF(0, -card), QPointF(0, -card + (major ? long_tick : short_tick)));
    painter.restore();
  }

  QFont font = this->font();
  font.setBold(true);
  font.setPixelSize(std::max(7, static_cast<int>(card * 0.2)));
  QFont small = font;
  small.setPixelSize(std::max(6, static_cast<int>(card * 0.15)));
  struct Mark {
    int bearing;
    const char* text;
    bool cardinal;
  };
  static constexpr Mark kMarks[] = {{0, "0", true},     {45, "NE", false},  {90, "90", true},
                                    {135, "SE", false}, {180, "180", true}, {225, "SW", false},
                                    {270, "270", true}, {315, "NW", false}};
  for (const Mark& mark : kMarks) {
    painter.save();
    painter.rotate(mark.bearing);
    painter.setFont(mark.cardinal ? font : small);
    painter.setPen(style::kFaceText);
    const qreal top = -card + long_tick + 2.0;
    const qreal h = card * 0.26;
    painter.drawText(QRectF(-card * 0.4, top, card * 0.8, h), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromLatin1(mark.text));
    if (!mark.cardinal) {
      // A small dot on the rim where the 10-degree ticks leave a gap.
      painter.setPen(Qt::NoPen);
      painter.setBrush(style::kFaceText);
      painter.drawEllipse(QPointF(0, -card + short_tick / 2), 1.6, 1.6);
    }
    painter.restore();
  }

  // North: a red triangle in place of the 0 tick, pointing out to the rim.
  painter.setPen(QPen(QColor(60, 0, 0), 0.8));
  painter.setBrush(kNorth);
  const qreal n = long_tick * 1.1;
  painter.drawPolygon(
      QPolygonF({QPointF(0, -card), QPointF(-n * 0.55, -card + n), QPointF(n * 0.55, -card + n)}));
}

void Compass::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);

  const qreal side = std::min(width(), height()) - 1.0;
  const QPointF centre = QRectF(rect()).center();
  const QRectF outer(centre - QPointF(side / 2, side / 2), QSizeF(side, side));
  const qreal bezel = std::max<qreal>(3.0, side * 0.045);
  const qreal dpr = devicePixelRatioF();
  // The bezel's image covers the whole widget, with the panel behind it when that can be had.
  KeepOpaque(*this, bezel_.PaintOpaque(*this, painter, event->region(), [&](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    style::DrawBezel(p, outer, side / 2, bezel);
  }));

  const qreal radius = side / 2 - bezel - 1.0;                      // face
  const qreal card = radius - std::max<qreal>(6.0, radius * 0.12);  // card rim, room for lubber

  // The card, turned so that the heading stands at the top. Its ticks and texts are drawn
  // once per size into an image that is only turned here: rasterising turned text on every
  // heading change would cost more than all the other instruments together.
  const int card_px = static_cast<int>(std::ceil(card * 2)) + 4;
  if (card_image_.isNull() || card_image_radius_ != card || card_image_.devicePixelRatio() != dpr) {
    card_image_ = QImage(QSize(card_px, card_px) * dpr, QImage::Format_ARGB32_Premultiplied);
    card_image_.setDevicePixelRatio(dpr);
    card_image_.fill(Qt::transparent);
    QPainter card_painter(&card_image_);
    card_painter.setRenderHint(QPainter::Antialiasing);
    card_painter.setRenderHint(QPainter::TextAntialiasing);
    card_painter.translate(card_px / 2.0, card_px / 2.0);
    DrawCard(card_painter, card);
    card_image_radius_ = card;
  }
  // The card's drawing is round, so turning it never leaves this square.
  const QRect card_area = QRectF(centre - QPointF(card_px, card_px) / 2, QSizeF(card_px, card_px))
                              .toAlignedRect()
                              .adjusted(-1, -1, 1, 1)
                              .intersected(rect());
  PaintInBands(painter, card_area, dpr, [&](const QRect&) {
    painter.translate(centre);
    painter.rotate(-heading_);
    // The image's own edge is transparent: smoothing its pixels is enough, antialiasing the
    // turned square's outline would only multiply the spans to fill.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QPointF(-card_px / 2.0, -card_px / 2.0), card_image_);
  });
  painter.translate(centre);

  // Lubber line: fixed at the top, in the ring outside the card, pointing at the card rim.
  painter.setPen(QPen(QColor(60, 30, 0), 0.8));
  painter.setBrush(kLubber);
  const qreal ring = radius - card;
  painter.drawPolygon(QPolygonF({QPointF(0, -card - 0.5), QPointF(-ring * 0.75, -radius + 0.5),
                                 QPointF(ring * 0.75, -radius + 0.5)}));

  // Fixed aircraft symbol, nose to the lubber line.
  const qreal s = card * 0.42;
  QPainterPath plane;
  plane.moveTo(0, -s);
  plane.lineTo(s * 0.10, -s * 0.55);
  plane.lineTo(s * 0.10, -s * 0.15);
  plane.lineTo(s * 0.85, s * 0.15);
  plane.lineTo(s * 0.85, s * 0.30);
  plane.lineTo(s * 0.10, s * 0.15);
  plane.lineTo(s * 0.10, s * 0.62);
  plane.lineTo(s * 0.32, s * 0.80);
  plane.lineTo(s * 0.32, s * 0.90);
  plane.lineTo(0, s * 0.82);
  plane.lineTo(-s * 0.32, s * 0.90);
  plane.lineTo(-s * 0.32, s * 0.80);
  plane.lineTo(-s * 0.10, s * 0.62);
  plane.lineTo(-s * 0.10, s * 0.15);
  plane.lineTo(-s * 0.85, s * 0.30);
  plane.lineTo(-s * 0.85, s * 0.15);
  plane.lineTo(-s * 0.10, -s * 0.15);
  plane.lineTo(-s * 0.10, -s * 0.55);
  plane.closeSubpath();
  painter.setPen(QPen(QColor(40, 20, 0), 1.0));
  painter.setBrush(kLubber);
  painter.drawPath(plane);
}

}  // namespace tarvel::widgets
