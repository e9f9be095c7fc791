#pragma once
// Shows a finished horizon picture (see DrawAttitudeIndicator) in the main window: a fixed
// 157 x 117 view that paints the last image it was given at its top-left corner. Until the first
// image arrives it shows the horizon background.

#include <QImage>
#include <QWidget>

namespace tarvel::views {

class AttitudeIndicatorView : public QWidget {
  Q_OBJECT

 public:
  explicit AttitudeIndicatorView(QWidget* parent = nullptr);

  const QImage& Image() const { return image_; }
  void SetImage(QImage image);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

}  // namespace tarvel::views
