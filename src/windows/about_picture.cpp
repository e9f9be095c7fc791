#include "windows/about_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tarvel::windows {
namespace {

void Background(QPainter& p, QSize size) {
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor(24, 56, 96));
  sky.setColorAt(1, QColor(8, 20, 40));
  p.fillRect(QRect(QPoint(0, 0), size), sky);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color, const QString& name) {
  p.setPen(QPen(color, 3));
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::hypot((to - from).x(), (to - from).y());
  const QPointF n(-d.y(), d.x());
  QPolygonF head;
  head << to + d * 6 << to - d * 8 + n * 6 << to - d * 8 - n * 6;
  p.setBrush(color);
  p.drawPolygon(head);
  p.drawText(to + d * 10 + QPointF(-5, 5), name);
}

}  // namespace

QPixmap BoardPicture(QSize size) {
  QPixmap pm(size);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  Background(p, size);
  const QPointF c(size.width() / 2.0, size.height() / 2.0);
  const double s = std::min(size.width(), size.height()) * 0.28;
  // The board: a green square with a chip, mounting holes and a connector.
  p.setPen(QPen(QColor(10, 60, 20), 2));
  p.setBrush(QColor(30, 130, 60));
  p.drawRoundedRect(QRectF(c.x() - s, c.y() - s, 2 * s, 2 * s), 6, 6);
  p.setBrush(QColor(30, 30, 30));
  p.drawRect(QRectF(c.x() - s * 0.35, c.y() - s * 0.35, s * 0.7, s * 0.7));
  p.setBrush(QColor(200, 200, 200));
  for (int dx : {-1, 1}) {
    for (int dy : {-1, 1})
      p.drawEllipse(QPointF(c.x() + dx * s * 0.8, c.y() + dy * s * 0.8), 4, 4);
  }
  p.setBrush(QColor(230, 230, 230));
  p.drawRect(QRectF(c.x() - s * 0.5, c.y() + s * 0.75, s, s * 0.2));
  QFont f = p.font();
  f.setBold(true);
  p.setFont(f);
  Arrow(p, c, c + QPointF(s * 1.35, 0), QColor(255, 80, 80), "X");
  Arrow(p, c, c + QPointF(0, -s * 1.35), QColor(90, 220, 90), "Y");
  p.setPen(QColor(230, 230, 255));
  p.drawText(QRectF(0, size.height() - 26, size.width(), 20), Qt::AlignCenter,
             QStringLiteral("Tarvel AHRS"));
  return pm;
}

QPixmap AircraftPicture(QSize size) {
  QPixmap pm(size);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  Background(p, size);
  const QPointF c(size.width() / 2.0, size.height() / 2.0 - 8);
  const double arm = std::min(size.width(), size.height()) * 0.3;
  p.setPen(QPen(QColor(200, 200, 210), 6, Qt::SolidLine, Qt::RoundCap));
  for (int dx : {-1, 1}) {
    for (int dy : {-1, 1})
      p.drawLine(c, c + QPointF(dx * arm, dy * arm));
  }
  p.setPen(QPen(QColor(255, 160, 40), 2));
  p.setBrush(QColor(255, 160, 40, 60));
  for (int dx : {-1, 1}) {
    for (int dy : {-1, 1})
      p.drawEllipse(c + QPointF(dx * arm, dy * arm), arm * 0.42, arm * 0.42);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 48));
  p.drawRoundedRect(QRectF(c.x() - arm * 0.3, c.y() - arm * 0.3, arm * 0.6, arm * 0.6), 5, 5);
  p.setBrush(QColor(60, 200, 90));
  p.drawEllipse(c, 4, 4);
  QFont f = p.font();
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(230, 230, 255));
  p.drawText(QRectF(0, size.height() - 26, size.width(), 20), Qt::AlignCenter,
             QStringLiteral("Voranta"));
  return pm;
}

}  // namespace tarvel::windows
