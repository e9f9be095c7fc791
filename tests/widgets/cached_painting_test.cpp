// Frames, panels and the plot's key keep their drawing as an image; these tests make sure the
// image follows every change that shows, so a cached picture never goes stale.
#include <gtest/gtest.h>

#include <QPainter>

#include "widgets/frame_box.h"
#include "widgets/paint_cache.h"
#include "widgets/panel.h"
#include "widgets/pixels.h"
#include "widgets/wave_legend.h"

namespace tarvel::widgets {
namespace {

const QColor kPlotBackground(84, 84, 84);
const QColor kKeyText(225, 225, 225);
const QColor kKeyHiddenText(140, 140, 140);

TEST(PaintInBands, CoversTheAreaOnceInShortBands) {
  QImage image(50, 300, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&image);
  for (const qreal dpr : {1.0, 2.0}) {
    QRegion covered;
    int area_rows = 0;
    PaintInBands(painter, QRect(3, 7, 20, 201), dpr, [&](const QRect& band) {
      EXPECT_LE(band.height() * dpr, 64);
      EXPECT_FALSE(covered.intersects(band));
      covered += band;
      area_rows += band.height();
    });
    EXPECT_EQ(covered, QRegion(3, 7, 20, 201));
    EXPECT_EQ(area_rows, 201);
  }
}

TEST(PaintCache, CopiesExactlyTheRepaintedRegion) {
  QWidget widget;
  widget.resize(60, 240);
  PaintCache cache;
  int drawings = 0;
  const auto draw = [&](QPainter& p) {
    ++drawings;
    p.fillRect(0, 0, 60, 240, Qt::red);
  };
  const QRegion region = QRegion(5, 10, 20, 200) + QRegion(40, 0, 10, 10);
  QImage target(widget.size(), QImage::Format_ARGB32_Premultiplied);
  target.fill(Qt::white);
  {
    QPainter painter(&target);
    cache.Paint(widget, painter, region, draw);
    cache.Paint(widget, painter, QRegion(0, 230, 60, 100), draw);  // partly outside the widget
  }
  EXPECT_EQ(drawings, 1);  // drawn once, copied twice
  const QRegion painted = region + QRegion(0, 230, 60, 10);
  for (int y = 0; y < target.height(); ++y) {
    for (int x = 0; x < target.width(); ++x) {
      const QColor want = painted.contains(QPoint(x, y)) ? QColor(Qt::red) : QColor(Qt::white);
      ASSERT_EQ(target.pixelColor(x, y), want) << x << "," << y;
    }
  }
  widget.resize(60, 250);
  QPainter painter(&target);
  cache.Paint(widget, painter, QRegion(0, 0, 1, 1), draw);
  EXPECT_EQ(drawings, 2);  // a new size draws again
}

TEST(FrameBox, RedrawsItsCachedImageWhenTitleOrFontChange) {
  FrameBox frame(QStringLiteral("加速度"));
  frame.resize(200, 120);
  const QImage first = test::Render(frame);
  EXPECT_EQ(test::Render(frame), first);  // the cache gives the same picture again

  frame.setTitle(QStringLiteral("磁力计 MX MY MZ"));
  const QImage retitled = test::Render(frame);
  EXPECT_NE(retitled, first);

  QFont big = frame.font();
  big.setPointSize(big.pointSize() + 6);
  frame.setFont(big);
  EXPECT_NE(test::Render(frame), retitled);

  frame.setFont(QFont());
  frame.setTitle(QStringLiteral("加速度"));
  EXPECT_EQ(test::Render(frame), first);

  frame.resize(240, 150);
  EXPECT_EQ(test::Render(frame).size(), QSize(240, 150));
}

TEST(Panel, RedrawsItsCachedImageWhenTheTitleChanges) {
  Panel panel(QStringLiteral("信息显示"));
  panel.resize(300, 120);
  const QImage first = test::Render(panel);
  panel.SetTitle(QStringLiteral("AHRS数据 显示面板"));
  EXPECT_NE(test::Render(panel), first);
  panel.SetTitle(QStringLiteral("信息显示"));
  EXPECT_EQ(test::Render(panel), first);
}

// Text-coloured pixels of `text` drawn unclipped in the key's font.
int ReferenceTextPixels(const QFont& font, const QString& text) {
  QImage image(300, 60, QImage::Format_RGB32);
  image.fill(QColor(64, 64, 64));
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(kKeyText);
  painter.drawText(QRect(10, 10, 280, 40), Qt::AlignLeft | Qt::AlignVCenter, text);
  painter.end();
  return test::CountNear(image, kKeyText, 30);
}

TEST(WaveLegend, ShowsEveryTitleWholeAndGreysHiddenEntries) {
  WaveLegend legend({{"YAW", Qt::red}, {"Pitch", Qt::blue}, {"hz", Qt::green}}, kPlotBackground);
  legend.resize(legend.sizeHint().width(), 200);
  const QImage shown = test::Render(legend);

  // The three titles are drawn whole: as many text pixels as the texts drawn unclipped.
  int reference = 0;
  for (const char* title : {"YAW", "Pitch", "hz"})
    reference += ReferenceTextPixels(legend.font(), QString::fromLatin1(title));
  ASSERT_GT(reference, 30);
  EXPECT_NEAR(test::CountNear(shown, kKeyText, 30), reference, reference / 20 + 2);
  // Each entry's colour line is drawn.
  EXPECT_GT(test::CountNear(shown, Qt::blue, 10), 10);

  legend.SetShown(1, false);
  const QImage hidden = test::Render(legend);
  EXPECT_LT(test::CountNear(hidden, kKeyText, 30), test::CountNear(shown, kKeyText, 30));
  EXPECT_GT(test::CountNear(hidden, kKeyHiddenText, 12), test::CountNear(shown, kKeyHiddenText, 12));
  EXPECT_GT(test::CountNear(hidden, Qt::blue, 10), 10);  // the colour stays recognisable

  legend.SetShown(1, true);
  EXPECT_EQ(test::Render(legend), shown);
  legend.SetShown(7, false);  // unknown entries are ignored
  EXPECT_EQ(test::Render(legend), shown);
}

}  // namespace
}  // namespace tarvel::widgets
