#pragma once
// ReadoutLabel: the plain-text label of the windows' read-outs. It looks and behaves exactly as
// a QLabel; it only paints what lies behind it itself (see still_drawing.h) so that a changed
// value repaints the label alone, not the window, panel and frame under it as well.

#include <QLabel>

#include "widgets/paint_cache.h"

namespace tarvel::widgets {

class ReadoutLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ReadoutLabel(const QString& text, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PaintCache behind_;  // what lies behind the label; the label itself draws nothing there
};

}  // namespace tarvel::widgets
