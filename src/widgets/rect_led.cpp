#include "widgets/rect_led.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "widgets/instrument_style.h"

namespace tarvel::widgets {

RectLed::RectLed(QWidget* parent) : Lamp(QColor(40, 230, 70), parent) {}

void RectLed::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  lit_.Invalidate();
  dark_.Invalidate();
  updateGeometry();
  update();
}

QSize RectLed::sizeHint() const {
  if (caption_.isEmpty()) return {36, 16};
  const QFontMetrics metrics(font());
  return {28 + metrics.horizontalAdvance(caption_), std::max(18, metrics.height())};
}

QSize RectLed::minimumSizeHint() const {
  return {10, 6};
}

void RectLed::paintEvent(QPaintEvent* event) {
  if (ActiveColor() != cached_color_) {
    cached_color_ = ActiveColor();
    lit_.Invalidate();
    dark_.Invalidate();
  }
  const bool lit = IsActive();
  QPainter painter(this);
  KeepOpaque(
      *this,
      (lit ? lit_ : dark_).PaintOpaque(*this, painter, event->region(), [this, lit](QPainter& p) {
        Draw(p, lit);
      }));
}

void RectLed::changeEvent(QEvent* event) {
  lit_.Invalidate();  // font, palette or style
  dark_.Invalidate();
  Lamp::changeEvent(event);
}

void RectLed::Draw(QPainter& painter, bool lit) const {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);

  QRectF lamp = QRectF(rect());
  QRectF text;
  if (!caption_.isEmpty()) {
    if (width() >= height()) {
      const qreal w = std::min(height() * 1.4, width() * 0.45);
      lamp.setWidth(w);
      text = QRectF(w + 3.0, 0, width() - w - 3.0, height());
    } else {
      const qreal h = std::min(width() * 0.8, height() * 0.55);
      lamp.setHeight(h);
      text = QRectF(0, h + 2.0, width(), height() - h - 2.0);
    }
  }

  const QRectF face = style::DrawBezel(painter, lamp, 2.5, 2.0);
  const QRectF glass = face.adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath shape;
  shape.addRoundedRect(glass, 1.5, 1.5);
  style::DrawLamp(painter, shape, glass, ActiveColor(), lit);

  if (!text.isEmpty()) {
    painter.setFont(style::FitFont(font(), caption_, text.size()));
    painter.setPen(palette().color(QPalette::WindowText));
    const Qt::Alignment align =
        width() >= height() ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignHCenter | Qt::AlignTop;
    painter.drawText(text, align, caption_);
  }
}

}  // namespace tarvel::widgets
