#pragma once
// Helpers for the windows' fixed layouts: every control gets its place once and keeps it.

#include <QLabel>
#include <QString>
#include <QWidget>

#include "widgets/frame_box.h"
#include "widgets/readout_label.h"

namespace tarvel::widgets {

// Puts `widget` at (x, y) with size w x h inside its parent and returns it.
template <typename W>
W* Place(W* widget, int x, int y, int w, int h) {
  widget->setGeometry(x, y, w, h);
  return widget;
}

// A plain-text label (texts from the board are never read as markup) that repaints alone.
inline QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h = 20) {
  auto* label = Place(new ReadoutLabel(text, parent), x, y, w, h);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// A captioned frame grouping controls.
inline FrameBox* MakeFrame(QWidget* parent, const QString& caption, int x, int y, int w, int h) {
  return Place(new FrameBox(caption, parent), x, y, w, h);
}

}  // namespace tarvel::widgets
