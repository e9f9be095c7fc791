#pragma once
// What lies behind a widget, drawn by the widget itself.
//
// A read-out on a frame on a panel is transparent: every time its text changes Qt first paints
// the window's background, the panel and the frame under it, each as a paint event of its own.
// On a real display that chain cost more than the read-outs themselves. Panels and frames keep
// their look as a still image (PaintCache); when everything behind a widget is such a still
// drawing or a plain container, the widget can put that picture under its own drawing and
// tell Qt it is opaque (Qt::WA_OpaquePaintEvent), and Qt then paints it alone.
//
// What can be reproduced: the window's background brush (a QMainWindow, a QDialog or a plain
// QWidget window without a translucent, styled or auto-filled background; such windows here
// paint nothing of their own), plain QWidget containers without a background, and widgets that
// implement StillDrawing. Anything else behind the widget, or an earlier sibling overlapping
// it, makes PaintBehind() refuse, and the widget stays transparent.

#include <QPainter>
#include <QRect>
#include <QWidget>
#include <cstdint>

namespace tarvel::widgets {

class StillDrawing {
 public:
  // Paints the widget as it shows, with everything behind it (so an opaque picture), over
  // `area` (widget coordinates) through `painter`, whose origin is the widget's top left.
  // False when what lies behind cannot be reproduced; the painter is then left unchanged.
  virtual bool PaintWithBehind(QPainter& painter, const QRect& area) = 0;
  // Whether the widget's look is a still drawing now (a frame with a check box is not).
  virtual bool IsStill() const { return true; }

 protected:
  ~StillDrawing() = default;
};

// Whether PaintBehind would succeed; cheap enough to ask before every paint, so that a change
// of the widgets around (a sibling placed under, a frame made checkable) is noticed at once.
bool CanPaintBehind(const QWidget& widget);

// Paints what Qt would paint behind `widget` over the widget's rectangle through `painter`,
// whose origin is the widget's top left; false (nothing painted) when that cannot be
// reproduced (see above).
bool PaintBehind(const QWidget& widget, QPainter& painter);

// Keeps Qt::WA_OpaquePaintEvent of `widget` in step with whether its last paint was opaque
// (PaintCache::PaintOpaque). When it stops being opaque, Qt painted nothing behind that paint,
// so the widget asks for a full repaint.
void KeepOpaque(QWidget& widget, bool opaque);

// A number that changes whenever any still drawing may look different (a cache redrawn or
// thrown away). Pictures made with PaintBehind are stale when it changed since.
std::uint64_t StillGeneration();
void NoteStillChanged();

}  // namespace tarvel::widgets
