#pragma once
// Painting helpers for widgets that repaint many times a second.
//
// PaintCache: a widget's unchanging drawing kept as an image. A plate or frame behind live
// read-outs is repainted every time one of them changes; with the cache that repaint copies
// the dirty rectangles instead of drawing gradients, rounded outlines and texts again. The
// image is redrawn when the widget's size or device pixel ratio changed, or after Invalidate()
// (the owner calls it when something the drawing depends on changes).
//
// PaintOpaque: the same, but the copy also holds what lies behind the widget (see
// still_drawing.h), so the widget can be opaque to Qt and the panels and frames behind it are
// not painted again under every repaint.
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
#include <cstdint>
#include <utility>

#include "widgets/still_drawing.h"

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
  void Invalidate() {
    image_ = QImage();
    behind_ = QImage();
    NoteStillChanged();
  }

  // Puts the cached drawing of `widget` through `painter` (which paints on the widget, origin
  // at its top left) over `region`, first drawing it with draw(QPainter&) when it is missing
  // or stale.
  template <typename Draw>
  void Paint(const QWidget& widget, QPainter& painter, const QRegion& region, Draw&& draw) {
    Copy(widget, painter, region, Drawing(widget, std::forward<Draw>(draw)));
  }

  // Like Paint, but over what lies behind the widget, so every pixel of `region` is painted.
  // When that cannot be reproduced it paints like Paint and returns false. The widget should
  // have Qt::WA_OpaquePaintEvent set exactly while this returns true.
  template <typename Draw>
  bool PaintOpaque(const QWidget& widget, QPainter& painter, const QRegion& region, Draw&& draw) {
    const QImage* behind = WithBehind(widget, std::forward<Draw>(draw));
    Copy(widget, painter, region, behind != nullptr ? *behind : image_);
    return behind != nullptr;
  }

  // Only the opaque picture (for StillDrawing::PaintWithBehind): false, painting nothing, when
  // it cannot be made.
  template <typename Draw>
  bool CopyOpaque(const QWidget& widget, QPainter& painter, const QRegion& region, Draw&& draw) {
    const QImage* behind = WithBehind(widget, std::forward<Draw>(draw));
    if (behind != nullptr) Copy(widget, painter, region, *behind);
    return behind != nullptr;
  }

 private:
  template <typename Draw>
  const QImage& Drawing(const QWidget& widget, Draw&& draw) {
    const qreal dpr = widget.devicePixelRatioF();
    const QSize pixels = widget.size() * dpr;
    if (image_.isNull() || image_.size() != pixels || image_.devicePixelRatio() != dpr) {
      image_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
      image_.setDevicePixelRatio(dpr);
      image_.fill(Qt::transparent);
      QPainter image_painter(&image_);
      std::forward<Draw>(draw)(image_painter);
      NoteStillChanged();
    }
    return image_;
  }

  // The widget's drawing over what lies behind it, made again when it may have changed; null
  // when what lies behind cannot be reproduced.
  template <typename Draw>
  const QImage* WithBehind(const QWidget& widget, Draw&& draw) {
    const QImage& own = Drawing(widget, std::forward<Draw>(draw));
    if (!CanPaintBehind(widget)) {
      behind_ = QImage();
      behind_generation_ = 0;  // made again when it can be
      return nullptr;
    }
    const QPoint at = widget.mapTo(widget.window(), QPoint());
    if (behind_generation_ != StillGeneration() || behind_at_ != at) {
      behind_ = QImage(own.size(), QImage::Format_ARGB32_Premultiplied);
      behind_.setDevicePixelRatio(own.devicePixelRatio());
      QPainter behind_painter(&behind_);
      const bool reproduced = PaintBehind(widget, behind_painter);
      if (reproduced) behind_painter.drawImage(0, 0, own);  // as Qt blends it over its parents
      behind_painter.end();
      // Opaque pixels are copied, not blended, by the painter.
      behind_ = reproduced ? behind_.convertToFormat(QImage::Format_RGB32) : QImage();
      behind_generation_ = StillGeneration();
      behind_at_ = at;
    }
    return behind_.isNull() ? nullptr : &behind_;
  }

  static void Copy(const QWidget& widget, QPainter& painter, const QRegion& region,
                   const QImage& image) {
    const qreal dpr = image.devicePixelRatio();
    for (const QRect& rect : region.intersected(widget.rect())) {
      PaintInBands(painter, rect, dpr, [&](const QRect& band) {
        painter.drawImage(QRectF(band), image,
                          QRectF(QPointF(band.topLeft()) * dpr, QSizeF(band.size()) * dpr));
      });
    }
  }

  QImage image_;   // the widget's own drawing, transparent where it draws nothing
  QImage behind_;  // image_ over what lies behind the widget; null when not reproducible
  std::uint64_t behind_generation_ = 0;
  QPoint behind_at_;  // where the widget was in its window then
};

}  // namespace tarvel::widgets
