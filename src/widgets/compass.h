#pragma once
// Heading indicator (the main window's compass).
//
// It reads like an aircraft's heading indicator: the card turns and the current heading stands
// under the fixed lubber line at the top, with a fixed aircraft symbol in the middle. The card
// carries a tick every 10 degrees (longer every 30), the marks "0", "90", "180", "270" and
// "NE", "SE", "SW", "NW", and a red triangle at north. Turning right (heading growing) turns the
// card anticlockwise, so at heading 90 north stands at the left.
//
// Any finite heading is accepted and normalised to [0, 360); NaN and infinities are ignored and
// the card keeps the last heading. Repaints happen only when the heading moves by a tenth of a
// degree or more, finer changes are stored without scheduling a repaint.

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "widgets/paint_cache.h"

namespace tarvel::widgets {

class Compass : public QWidget {
  Q_OBJECT

 public:
  explicit Compass(QWidget* parent = nullptr);

  double Heading() const { return heading_; }
  void SetHeading(double degrees);

  // `degrees` folded into [0, 360); NaN for NaN and infinities.
  static double NormalizeHeading(double degrees);
  // Where the card mark for `bearing` appears at `heading`: degrees clockwise from the lubber
  // line, in [0, 360).
  static double ScreenAngle(double bearing, double heading);

  QSize sizeHint() const override { return {160, 160}; }
  QSize minimumSizeHint() const override { return {60, 60}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override { return width; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void DrawCard(QPainter& painter, qreal card) const;

  double heading_ = 0.0;
  QImage card_image_;  // the card at the current size, drawn once and turned when painted
  qreal card_image_radius_ = 0;
  PaintCache bezel_;  // the bezel at the current size
};

}  // namespace tarvel::widgets
