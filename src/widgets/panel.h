#pragma once
// Panel: a raised grey plate with a title strip across its top (the main window's
// "AHRS数据 显示面板" and "信息显示" areas, the settings and calibration panels).
//
// It is a plain container: children are placed by their owner at fixed positions and the
// panel never lays them out or moves them. Children should start below TitleHeight() to keep
// the title free.

#include <QString>
#include <QWidget>

#include "widgets/paint_cache.h"
#include "widgets/still_drawing.h"

namespace tarvel::widgets {

class Panel : public QWidget, public StillDrawing {
  Q_OBJECT

 public:
  explicit Panel(QWidget* parent = nullptr);
  explicit Panel(const QString& title, QWidget* parent = nullptr);

  QString Title() const { return title_; }
  void SetTitle(const QString& title);

  // Height in pixels of the title strip, frame included.
  static constexpr int TitleHeight() { return 26; }

  QSize sizeHint() const override { return {320, 200}; }

  bool PaintWithBehind(QPainter& painter, const QRect& area) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Draw(QPainter& painter) const;

  QString title_;
  PaintCache cache_;  // read-outs on the panel repaint it many times a second
};

}  // namespace tarvel::widgets
