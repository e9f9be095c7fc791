#include "widgets/label_instrument.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include "widgets/instrument_style.h"

namespace tarvel::widgets {

namespace {

constexpr qreal kBezel = 3.0;
constexpr qreal kTextMargin = 3.0;

}  // namespace

LabelInstrument::LabelInstrument(QWidget* parent) : QWidget(parent) {
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
}

void LabelInstrument::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  update();
}

void LabelInstrument::SetTextColor(const QColor& color) {
  if (color == text_color_) return;
  text_color_ = color;
  update();
}

QSize LabelInstrument::sizeHint() const {
  const QFontMetrics metrics(font());
  const int text =
      metrics.horizontalAdvance(caption_.isEmpty() ? QStringLiteral("00.0C") : caption_);
  const int pad = static_cast<int>(2 * (kBezel + kTextMargin)) + 4;
  return {text + pad, metrics.height() + pad};
}

QSize LabelInstrument::minimumSizeHint() const {
  return {24, 16};
}

void LabelInstrument::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  KeepOpaque(*this, bezel_.PaintOpaque(*this, painter, event->region(), [this](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    style::DrawBezel(p, QRectF(rect()), 3.0, kBezel);
  }));
  const QRectF face = QRectF(rect()).adjusted(kBezel, kBezel, -kBezel, -kBezel);  // as DrawBezel
  if (caption_.isEmpty()) return;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);

  const QRectF area = face.adjusted(kTextMargin, 0, -kTextMargin, 0);
  painter.setFont(style::FitFont(font(), caption_, area.size()));
  painter.setPen(text_color_);
  painter.drawText(area, Qt::AlignCenter, caption_);
}

void LabelInstrument::changeEvent(QEvent* event) {
  bezel_.Invalidate();  // palette or style
  QWidget::changeEvent(event);
}

}  // namespace tarvel::widgets
