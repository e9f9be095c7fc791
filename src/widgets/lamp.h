#pragma once
// What every lamp shares: lit or dark, and the colour it glows in when lit (dark, it shows the
// dim version of that colour). Setters repaint only on a change; Toggle() always changes. The
// shape is the subclass's: it paints with IsActive() and ActiveColor().

#include <QColor>
#include <QWidget>

namespace tarvel::widgets {

class Lamp : public QWidget {
  Q_OBJECT

 public:
  bool IsActive() const { return active_; }
  void SetActive(bool active);
  void Toggle();

  QColor ActiveColor() const { return active_color_; }
  void SetActiveColor(const QColor& color);

 protected:
  Lamp(QColor active_color, QWidget* parent) : QWidget(parent), active_color_(active_color) {}

 private:
  bool active_ = false;
  QColor active_color_;
};

}  // namespace tarvel::widgets
