#include "widgets/panel.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>

#include "widgets/instrument_style.h"

namespace tarvel::widgets {

Panel::Panel(QWidget* parent) : QWidget(parent) {}

Panel::Panel(const QString& title, QWidget* parent) : QWidget(parent), title_(title) {}

void Panel::SetTitle(const QString& title) {
  if (title == title_) return;
  title_ = title;
  cache_.Invalidate();
  update(0, 0, width(), TitleHeight());
}

void Panel::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  KeepOpaque(*this, cache_.PaintOpaque(*this, painter, event->region(),
                                       [this](QPainter& image_painter) { Draw(image_painter); }));
}

bool Panel::PaintWithBehind(QPainter& painter, const QRect& area) {
  return cache_.CopyOpaque(*this, painter, QRegion(area),
                           [this](QPainter& image_painter) { Draw(image_painter); });
}

void Panel::changeEvent(QEvent* event) {
  cache_.Invalidate();  // font, palette or style
  QWidget::changeEvent(event);
}

void Panel::Draw(QPainter& painter) const {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const QRectF all = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

  // Plate: the window's grey, a touch lighter at the top, with a raised edge.
  const QColor grey = palette().color(QPalette::Window);
  QLinearGradient plate(all.topLeft(), all.bottomLeft());
  plate.setColorAt(0.0, grey.lighter(106));
  plate.setColorAt(1.0, grey.darker(104));
  painter.setPen(Qt::NoPen);
  painter.setBrush(plate);
  painter.drawRoundedRect(all, 4.0, 4.0);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
  painter.drawRoundedRect(all.adjusted(1, 1, -1, -1), 3.5, 3.5);
  painter.setPen(QPen(QColor(70, 72, 76), 1.0));
  painter.drawRoundedRect(all, 4.0, 4.0);

  // Title strip: a dark engraved plate with light lettering.
  const QRectF strip(3.0, 3.0, width() - 6.0, TitleHeight() - 5.0);
  QLinearGradient band(strip.topLeft(), strip.bottomLeft());
  band.setColorAt(0.0, QColor(72, 80, 92));
  band.setColorAt(1.0, QColor(36, 40, 48));
  painter.setPen(QPen(QColor(20, 22, 26), 1.0));
  painter.setBrush(band);
  painter.drawRoundedRect(strip, 3.0, 3.0);
  if (title_.isEmpty()) return;
  QFont bold = font();
  bold.setBold(true);
  const QRectF text = strip.adjusted(10.0, 0, -10.0, 0);
  painter.setFont(style::FitFont(bold, title_, text.size()));
  painter.setPen(style::kFaceText);
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, title_);
}

}  // namespace tarvel::widgets
