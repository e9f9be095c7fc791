#pragma once
// FrameBox: the captioned frame that groups controls, drawn like any group box of the style
// but kept as an image (see PaintCache): the frames of the main window hold read-outs that
// change many times a second, and every change repaints the frame behind them.

#include <QGroupBox>
#include <QString>

#include "widgets/paint_cache.h"

namespace tarvel::widgets {

class FrameBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit FrameBox(const QString& title, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  PaintCache cache_;
  QString cached_title_;
};

}  // namespace tarvel::widgets
