#pragma once
// Segmented LED bar (altitude, PWM channels, optical-flow arms).
//
// Contract:
//  - The position is kept inside [Min, Max]: larger values show a full bar, smaller an empty one.
//    +inf and -inf clamp like any other value; NaN is ignored and the bar keeps the last
//    position, so a single bad sample does not flash the bar empty.
//  - The bar grows from its "low" end: bottom to top when vertical, left to right when
//    horizontal; SetReversed(true) makes it grow top to bottom or right to left.
//  - Segment i (0 at the low end) is lit when the position reaches the middle of its share of
//    the range, so Min lights none and Max lights all of them. The number of segments follows
//    the widget's length (one segment every 6 px).
//  - Setters are cheap and repaint only when what is drawn changes: a new position that lights
//    the same number of segments stores the value without scheduling a repaint.

#include <QColor>
#include <QWidget>

namespace tarvel::widgets {

class LedBar : public QWidget {
  Q_OBJECT

 public:
  explicit LedBar(QWidget* parent = nullptr);

  double Position() const { return position_; }
  void SetPosition(double value);

  double Min() const { return min_; }
  double Max() const { return max_; }
  // Non-finite bounds are ignored; swapped bounds are put in order. The position is clamped
  // into the new range.
  void SetRange(double min, double max);

  Qt::Orientation Orientation() const { return orientation_; }
  void SetOrientation(Qt::Orientation orientation);

  bool Reversed() const { return reversed_; }
  void SetReversed(bool reversed);

  QColor ActiveColor() const { return active_color_; }
  void SetActiveColor(const QColor& color);
  // Until it is set, the inactive colour is the dim version of the active colour.
  QColor InactiveColor() const;
  void SetInactiveColor(const QColor& color);

  // Segments the bar has at its current size, and how many of them the position lights.
  int SegmentCount() const;
  int LitSegments() const { return LitFor(position_); }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int LitFor(double position) const;
  double Length() const;

  double min_ = 0.0;
  double max_ = 100.0;
  double position_ = 0.0;
  Qt::Orientation orientation_ = Qt::Vertical;
  bool reversed_ = false;
  QColor active_color_{40, 230, 70};
  QColor inactive_color_;  // invalid: follow the active colour
};

}  // namespace tarvel::widgets
