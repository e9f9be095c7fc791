#pragma once
// WaveLegend: the waveform plot's key, a column beside the curves listing every channel's
// colour and title; hidden channels are greyed. It is drawn once and kept as an image: the
// curves beside it are redrawn up to 20 times a second, the key only when a channel is shown
// or hidden.

#include <QColor>
#include <QString>
#include <QWidget>
#include <vector>

#include "widgets/paint_cache.h"

namespace tarvel::widgets {

class WaveLegend : public QWidget {
 public:
  struct Entry {
    QString title;
    QColor color;
    bool shown = true;
  };

  WaveLegend(std::vector<Entry> entries, const QColor& background, QWidget* parent = nullptr);

  // Greys or restores an entry; an unknown index is ignored.
  void SetShown(int index, bool shown);

  // Draws the key into `painter` as it appears in a widget of the given size (for printing).
  void Draw(QPainter& painter, const QSize& size) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  std::vector<Entry> entries_;
  QColor background_;
  PaintCache cache_;
};

}  // namespace tarvel::widgets
