#include "views/attitude_indicator_view.h"

#include <QPainter>
#include <utility>

#include "views/attitude_indicator.h"

namespace tarvel::views {

AttitudeIndicatorView::AttitudeIndicatorView(QWidget* parent) : QWidget(parent) {
  setFixedSize(kPiczitaiSize);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void AttitudeIndicatorView::SetImage(QImage image) {
  image_ = std::move(image);
  update();
}

void AttitudeIndicatorView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kHorizonBackground);
  painter.drawImage(0, 0, image_);
}

}  // namespace tarvel::views
