#pragma once
// FrameBox: the captioned frame that groups controls, drawn like any group box of the style
// but kept as an image (see PaintCache): the frames of the main window hold read-outs that
// change many times a second, and every change repaints the frame behind them.

#include <QGroupBox>
#include <QString>

#include "widgets/paint_cache.h"
#include "widgets/still_drawing.h"

namespace tarvel::widgets {

class FrameBox : public QGroupBox, public StillDrawing {
  Q_OBJECT

 public:
  explicit FrameBox(const QString& title, QWidget* parent = nullptr);

  // A checkable frame follows the mouse, so it is never a still drawing.
  bool PaintWithBehind(QPainter& painter, const QRect& area) override;
  bool IsStill() const override { return !isCheckable(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // The cached drawing, made again first when the title changed.
  PaintCache& Cache();
  void Draw(QPainter& painter);

  PaintCache cache_;
  QString cached_title_;
};

}  // namespace tarvel::widgets
