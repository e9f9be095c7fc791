#pragma once
// Painting helpers for widgets that repaint many times a second.
//
// PaintCache: a widget's unchanging drawing kept as an image. A plate or frame behind live
// read-outs is repainted every time one of them changes; with the cache that repaint copies
// the dirty rectangles instead of drawing gradients, rounded outlines and texts again. The
// image is redrawn when the widget's size or device pixel ratio changed, or after Invalidate()
// (the owner calls it when something the drawing depends on changes).
//
// PaintInBands: Qt's raster painter hands every fill that covers more than about a hundred
// pixel rows to its thread pool. For the small, frequent repaints of an instrument panel waking
// the pool costs more than the fill itself (measured: about a third of the live refresh's CPU
// time), so large blits are cut into bands short enough to stay on the calling thread.

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace tarvel::widgets {

// Calls draw() once per horizontal band of `area` (widget coordinates), with the painter
// clipped to that band. Each band spans at most 64 device pixel rows.
template <typename Draw>
void PaintInBands(QPainter& painter, const QRect& area, qreal dpr, Draw&& draw) {
  const int rows = std::max(1, static_cast<int>(64 / std::max<qreal>(dpr, 1.0)));
  for (int top = area.top(); top <= area.bottom(); top += rows) {
    const QRect band(area.left(), top, area.width(), std::min(rows, area.bottom() + 1 - top));
    painter.save();
    painter.setClipRect(band, Qt::IntersectClip);
    draw(band);
    painter.restore();
  }
}

class PaintCache {
 public:
  void Invalidate() { image_ = QImage(); }

  // Puts the cached drawing of `widget` through `painter` (which paints on the widget, origin
  // at its top left) over `region`, first drawing it with draw(QPainter&) when it is missing
  // or stale.
  template <typename Draw>
  void Paint(const QWidget& widget, QPainter& painter, const QRegion& region, Draw&& draw) {
    const qreal dpr = widget.devicePixelRatioF();
    const QSize pixels = widget.size() * dpr;
    if (image_.isNull() || image_.size() != pixels || image_.devicePixelRatio() != dpr) {
      image_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
      image_.setDevicePixelRatio(dpr);
      image_.fill(Qt::transparent);
      QPainter image_painter(&image_);
      std::forward<Draw>(draw)(image_painter);
    }
    for (const QRect& rect : region.intersected(widget.rect())) {
      PaintInBands(painter, rect, dpr, [&](const QRect& band) {
        painter.drawImage(QRectF(band), image_,
                          QRectF(QPointF(band.topLeft()) * dpr, QSizeF(band.size()) * dpr));
      });
    }
  }

 private:
  QImage image_;
};

}  // namespace tarvel::widgets
