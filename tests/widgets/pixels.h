#pragma once
// Pixel helpers for the widget tests: render a widget and look at the colours it drew.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace tarvel::widgets::test {

inline QImage Render(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline bool Near(const QColor& a, const QColor& b, int tolerance) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

inline int Brightest(const QColor& c) {
  return std::max({c.red(), c.green(), c.blue()});
}

// Pixels of `image` inside `region` (the whole image when empty) within `tolerance` of `color`.
inline int CountNear(const QImage& image, const QColor& color, int tolerance, QRect region = {}) {
  if (region.isEmpty()) region = image.rect();
  region &= image.rect();
  int count = 0;
  for (int y = region.top(); y <= region.bottom(); ++y) {
    for (int x = region.left(); x <= region.right(); ++x) {
      if (Near(image.pixelColor(x, y), color, tolerance)) ++count;
    }
  }
  return count;
}

// The brightest pixel inside `region`, judged by its strongest channel.
inline QColor BrightestIn(const QImage& image, QRect region) {
  region &= image.rect();
  QColor best(0, 0, 0);
  for (int y = region.top(); y <= region.bottom(); ++y) {
    for (int x = region.left(); x <= region.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (Brightest(c) > Brightest(best)) best = c;
    }
  }
  return best;
}

}  // namespace tarvel::widgets::test
