#pragma once
// Drawing pieces shared by the instrument widgets, so that bars, lamps, dials and read-outs
// look like one family: a dark bezel around a near-black face, lamps that glow in their colour
// when lit and show a dim version of it when dark. Paint-time helpers only; nothing here is
// called from a setter.

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>

class QPainter;

namespace tarvel::widgets::style {

// Face of every instrument, and the light text and marks drawn on it.
inline constexpr QColor kFace{16, 19, 23};
inline constexpr QColor kFaceText{222, 226, 230};

// The dim colour of an unlit lamp or segment of the given lit colour: same hue, about a fifth
// of its brightness, so an unlit red lamp still reads as "red, off" and not as black.
QColor DarkVersion(const QColor& lit);

// Draws a bezel in `outer` (rounded by `radius`) and fills the face inside it with `face`.
// Returns the face rectangle, which is `outer` shrunk by the bezel width.
QRectF DrawBezel(QPainter& painter, const QRectF& outer, qreal radius, qreal width = 3.0,
                 const QColor& face = kFace);

// Fills `shape` (whose bounds are `bounds`) as a lamp of colour `lit`: lit lamps glow with a
// lighter top and the pure colour in the middle, dark lamps show DarkVersion(lit) with a faint
// reflection. A thin dark rim is drawn around the shape.
void DrawLamp(QPainter& painter, const QPainterPath& shape, const QRectF& bounds, const QColor& lit,
              bool active);

// `font`, made smaller when needed so that `text` fits into `box` (never below 5 px).
QFont FitFont(const QFont& font, const QString& text, const QSizeF& box);

}  // namespace tarvel::widgets::style
