#pragma once
// Rectangular lamp (RXD, TXD, the attitude-frame heartbeat).
//
// Lit, it glows in its active colour (green unless set); dark, it shows the dim version of that
// colour. An optional caption is drawn beside the lamp when the widget is wider than tall, and
// under it otherwise; the caption uses the window text colour, since the lamp sits on a panel.
// Setters repaint only on a change; Toggle() always changes the state.

#include <QColor>
#include <QString>
#include <QWidget>

#include "widgets/lamp.h"
#include "widgets/paint_cache.h"

namespace tarvel::widgets {

class RectLed : public Lamp {
  Q_OBJECT

 public:
  explicit RectLed(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Draw(QPainter& painter, bool lit) const;

  QString caption_;
  // The heartbeat toggles with every attitude frame: both looks are kept as images, drawn
  // again when the caption, the colour or the style changes.
  PaintCache lit_, dark_;
  QColor cached_color_;
};

}  // namespace tarvel::widgets
