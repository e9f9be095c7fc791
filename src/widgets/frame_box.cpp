#include "widgets/frame_box.h"

#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace tarvel::widgets {

FrameBox::FrameBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void FrameBox::paintEvent(QPaintEvent* event) {
  if (isCheckable()) {  // its check box follows the mouse: nothing to keep
    KeepOpaque(*this, false);
    QGroupBox::paintEvent(event);
    return;
  }
  QPainter painter(this);
  KeepOpaque(*this, Cache().PaintOpaque(*this, painter, event->region(),
                                        [this](QPainter& p) { Draw(p); }));
}

bool FrameBox::PaintWithBehind(QPainter& painter, const QRect& area) {
  if (isCheckable()) return false;
  return Cache().CopyOpaque(*this, painter, QRegion(area), [this](QPainter& p) { Draw(p); });
}

PaintCache& FrameBox::Cache() {
  if (title() != cached_title_) {
    cached_title_ = title();
    cache_.Invalidate();
  }
  return cache_;
}

void FrameBox::Draw(QPainter& painter) {
  QStyleOptionGroupBox option;
  initStyleOption(&option);
  style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
}

void FrameBox::changeEvent(QEvent* event) {
  // Font, palette, style, enabled state: anything may change how the frame looks.
  cache_.Invalidate();
  QGroupBox::changeEvent(event);
}

}  // namespace tarvel::widgets
