#pragma once
// PaintCache: a widget's unchanging drawing kept as an image. A plate or frame behind live
// read-outs is repainted every time one of them changes; with the cache that repaint copies
// the dirty rectangle instead of drawing gradients, rounded outlines and texts again.
//
// The image is redrawn when the widget's size or device pixel ratio changed, or after
// Invalidate() (the owner calls it when something the drawing depends on changes).

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <utility>

namespace tarvel::widgets {

class PaintCache {
 public:
  void Invalidate() { image_ = QImage(); }
  bool valid() const { return !image_.isNull(); }

  // Puts the cached drawing of `widget` through `painter` (which paints on the widget, origin
  // at its top left), first drawing it with draw(QPainter&) when it is missing or stale.
  template <typename Draw>
  void Paint(const QWidget& widget, QPainter& painter, Draw&& draw) {
    const qreal dpr = widget.devicePixelRatioF();
    const QSize pixels = widget.size() * dpr;
    if (image_.isNull() || image_.size() != pixels || image_.devicePixelRatio() != dpr) {
      image_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
      image_.setDevicePixelRatio(dpr);
      image_.fill(Qt::transparent);
      QPainter image_painter(&image_);
      std::forward<Draw>(draw)(image_painter);
    }
    painter.drawImage(QPointF(0, 0), image_);
  }

 private:
  QImage image_;
};

}  // namespace tarvel::widgets
