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

namespace tarvel::widgets {

class RectLed : public QWidget {
  Q_OBJECT

 public:
  explicit RectLed(QWidget* parent = nullptr);

  bool IsActive() const { return active_; }
  void SetActive(bool active);
  void Toggle();

  QColor ActiveColor() const { return active_color_; }
  void SetActiveColor(const QColor& color);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool active_ = false;
  QColor active_color_{40, 230, 70};
  QString caption_;
};

}  // namespace tarvel::widgets
