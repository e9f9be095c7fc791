#include "widgets/lamp.h"

namespace tarvel::widgets {

void Lamp::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  update();
}

void Lamp::Toggle() {
  active_ = !active_;
  update();
}

void Lamp::SetActiveColor(const QColor& color) {
  if (color == active_color_) return;
  active_color_ = color;
  update();
}

}  // namespace tarvel::widgets
