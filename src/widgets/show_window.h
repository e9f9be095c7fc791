#pragma once
// Shows a window without blocking, or brings an open one forward with its current content.

#include <QWidget>

namespace tarvel::widgets {

inline void ShowWindow(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace tarvel::widgets
