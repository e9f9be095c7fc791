#pragma once
// Thermometer: a glass tube over a bulb, with a scale of labelled ticks on its left.
//
// Contract:
//  - The position is kept inside [Min, Max]; +inf and -inf clamp, NaN is ignored (the column
//    keeps the last temperature).
//  - The bulb is always filled; the column rises from the bottom of the scale (Min) to its top
//    (Max). Major ticks carry labels at a 1-2-5 step chosen so the labels do not crowd.
//  - Setters repaint only when what is drawn changes: a new position that moves the top of the
//    column by less than a quarter pixel is stored without scheduling a repaint.

#include <QColor>
#include <QRectF>
#include <QWidget>

#include "widgets/paint_cache.h"

namespace tarvel::widgets {

class Thermometer : public QWidget {
  Q_OBJECT

 public:
  explicit Thermometer(QWidget* parent = nullptr);

  double Position() const { return position_; }
  void SetPosition(double value);

  double Min() const { return min_; }
  double Max() const { return max_; }
  // Non-finite bounds are ignored; swapped bounds are put in order. The position is clamped
  // into the new range.
  void SetRange(double min, double max);

  QColor ColumnColor() const { return column_color_; }
  void SetColumnColor(const QColor& color);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct Geometry {
    QRectF face;
    QRectF tube;        // inside of the glass tube
    QPointF bulb;       // centre of the bulb
    qreal bulb_radius;  // outer radius of the bulb's glass
    qreal scale_low;    // y of Min
    qreal scale_high;   // y of Max
  };
  Geometry Layout() const;
  qreal LevelY(const Geometry& g, double position) const;
  void DrawScale(QPainter& painter, const Geometry& g) const;
  void DrawStill(QPainter& painter, const Geometry& g) const;

  double min_ = 0.0;
  double max_ = 100.0;
  double position_ = 0.0;
  QColor column_color_{226, 38, 38};
  PaintCache still_;  // bezel, scale and the empty glass
};

}  // namespace tarvel::widgets
