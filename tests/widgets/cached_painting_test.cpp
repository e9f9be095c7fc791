// Frames, panels and the plot's key keep their drawing as an image; these tests make sure the
// image follows every change that shows, so a cached picture never goes stale.
#include <gtest/gtest.h>

#include <QPainter>

#include "widgets/frame_box.h"
#include "widgets/panel.h"
#include "widgets/pixels.h"
#include "widgets/wave_legend.h"

namespace tarvel::widgets {
namespace {

const QColor kPlotBackground(84, 84, 84);
const QColor kKeyText(225, 225, 225);
const QColor kKeyHiddenText(140, 140, 140);

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
