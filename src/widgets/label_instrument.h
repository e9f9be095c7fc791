#pragma once
// Label instrument: a small bezel around a dark face that shows one line of text, such as the
// temperature read-out "25.0C". The text uses the widget's font (QWidget::setFont), bold by
// default, and is shrunk to fit when it is wider than the face; it is never cut off.

#include <QColor>
#include <QString>
#include <QWidget>

#include "widgets/paint_cache.h"

namespace tarvel::widgets {

class LabelInstrument : public QWidget {
  Q_OBJECT

 public:
  explicit LabelInstrument(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);

  QColor TextColor() const { return text_color_; }
  void SetTextColor(const QColor& color);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QString caption_;
  QColor text_color_{255, 196, 64};
  PaintCache bezel_;  // the caption changes many times a second, the bezel only with the size
};

}  // namespace tarvel::widgets
