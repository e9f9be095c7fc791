#include "widgets/readout_label.h"

#include <QPaintEvent>

namespace tarvel::widgets {

ReadoutLabel::ReadoutLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void ReadoutLabel::paintEvent(QPaintEvent* event) {
  // A background of its own (auto-fill, style sheet) is Qt's to paint: stay transparent then.
  const bool own_background = autoFillBackground() || testAttribute(Qt::WA_StyledBackground);
  if (own_background) {
    KeepOpaque(*this, false);
  } else {
    QPainter painter(this);
    KeepOpaque(*this, behind_.PaintOpaque(*this, painter, event->region(), [](QPainter&) {}));
  }
  QLabel::paintEvent(event);
}

}  // namespace tarvel::widgets
