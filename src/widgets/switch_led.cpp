#include "widgets/switch_led.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

#include "widgets/instrument_style.h"

namespace tarvel::widgets {

SwitchLed::SwitchLed(QWidget* parent) : QAbstractButton(parent) {
  setCheckable(true);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QAbstractButton::clicked, this, &SwitchLed::Switched);
}

void SwitchLed::SetCaption(const QString& caption) {
  if (caption == text()) return;
  setText(caption);
}

void SwitchLed::SetLedActive(bool active) {
  if (active == led_active_) return;
  led_active_ = active;
  update();
}

void SwitchLed::SetLedColor(const QColor& color) {
  if (color == led_color_) return;
  led_color_ = color;
  update();
}

QSize SwitchLed::sizeHint() const {
  const QFontMetrics metrics(font());
  return {std::max(80, metrics.horizontalAdvance(text()) + 12), 120};
}

QSize SwitchLed::minimumSizeHint() const {
  return {40, 60};
}

void SwitchLed::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);

  const QFontMetrics metrics(font());
  const qreal caption_height = text().isEmpty() ? 0.0 : metrics.height() + 6.0;
  const QRectF area(0, 0, width(), height() - caption_height);

  // Plate: a dark bezel, taller than wide, centred above the caption.
  const qreal plate_w = std::min(area.width() - 4.0, std::max(36.0, area.height() * 0.62));
  const QRectF plate_outer(area.center().x() - plate_w / 2, area.top() + 2, plate_w,
                           area.height() - 4);
  const QRectF plate = style::DrawBezel(painter, plate_outer, 6.0, 3.0);

  // LED in a small bezel at the top of the plate.
  const qreal led = std::clamp(plate.height() * 0.17, 8.0, 18.0);
  const QRectF led_outer(plate.center().x() - led / 2 - 2, plate.top() + 4, led + 4, led + 4);
  const QRectF led_face = style::DrawBezel(painter, led_outer, led_outer.width() / 2, 2.0);
  QPainterPath led_shape;
  led_shape.addEllipse(led_face.adjusted(0.5, 0.5, -0.5, -0.5));
  style::DrawLamp(painter, led_shape, led_face, led_color_, led_active_);

  // Toggle: a chrome nut in the middle of the rest of the plate, the lever up or down from it.
  const QRectF toggle(plate.left(), led_outer.bottom() + 2, plate.width(),
                      plate.bottom() - led_outer.bottom() - 4);
  const QPointF nut = toggle.center();
  const qreal nut_r = std::max<qreal>(4.0, std::min(toggle.width(), toggle.height()) * 0.17);
  QRadialGradient chrome(nut - QPointF(nut_r * 0.3, nut_r * 0.3), nut_r * 1.4);
  chrome.setColorAt(0.0, QColor(236, 238, 240));
  chrome.setColorAt(0.6, QColor(150, 154, 160));
  chrome.setColorAt(1.0, QColor(70, 72, 76));
  painter.setPen(QPen(QColor(10, 10, 10), 1.0));
  painter.setBrush(chrome);
  painter.drawEllipse(nut, nut_r, nut_r);
  painter.setBrush(QColor(40, 42, 46));
  painter.drawEllipse(nut, nut_r * 0.45, nut_r * 0.45);

  const qreal reach = std::min(toggle.height() / 2 - 2.0, nut_r * 2.6);
  const qreal dir = isChecked() ? -1.0 : 1.0;
  const QPointF tip(nut.x(), nut.y() + dir * reach);
  const qreal base_half = nut_r * 0.4;
  const qreal tip_half = nut_r * 0.62;
  QPainterPath lever;
  lever.moveTo(nut.x() - base_half, nut.y());
  lever.lineTo(tip.x() - tip_half * 0.8, tip.y());
  lever.lineTo(tip.x() + tip_half * 0.8, tip.y());
  lever.lineTo(nut.x() + base_half, nut.y());
  lever.closeSubpath();
  QLinearGradient metal(QPointF(nut.x() - tip_half, 0), QPointF(nut.x() + tip_half, 0));
  metal.setColorAt(0.0, QColor(110, 114, 120));
  metal.setColorAt(0.4, QColor(245, 246, 248));
  metal.setColorAt(1.0, QColor(96, 100, 106));
  painter.setBrush(metal);
  painter.drawPath(lever);
  painter.drawEllipse(tip, tip_half, tip_half * 0.75);

  if (isDown()) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 40));
    painter.drawRoundedRect(plate, 4.0, 4.0);
  }
  if (hasFocus()) {
    QPen focus(palette().color(QPalette::Highlight), 1.5, Qt::DashLine);
    painter.setPen(focus);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(plate_outer.adjusted(-1.5, -1.5, 1.5, 1.5), 7.0, 7.0);
  }

  if (!text().isEmpty()) {
    const QRectF caption(0, area.bottom(), width(), caption_height);
    painter.setFont(style::FitFont(font(), text(), caption.size()));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, text());
  }
}

}  // namespace tarvel::widgets
