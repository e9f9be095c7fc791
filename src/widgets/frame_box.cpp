#include "widgets/frame_box.h"

#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace tarvel::widgets {

FrameBox::FrameBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void FrameBox::paintEvent(QPaintEvent* event) {
  if (isCheckable()) {  // its check box follows the mouse: nothing to keep
    QGroupBox::paintEvent(event);
    return;
  }
  if (title() != cached_title_) {
    cached_title_ = title();
    cache_.Invalidate();
  }
  QPainter painter(this);
  cache_.Paint(*this, painter, event->region(), [this](QPainter& image_painter) {
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    style()->drawComplexControl(QStyle::CC_GroupBox, &option, &image_painter, this);
  });
}

void FrameBox::changeEvent(QEvent* event) {
  // Font, palette, style, enabled state: anything may change how the frame looks.
  cache_.Invalidate();
  QGroupBox::changeEvent(event);
}

}  // namespace tarvel::widgets
