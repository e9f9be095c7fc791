// Panel keeps its children where the window put them; the label instrument shows its caption.
#include <gtest/gtest.h>

#include <QLabel>

#include "widgets/label_instrument.h"
#include "widgets/panel.h"
#include "widgets/pixels.h"

namespace tarvel::widgets {
namespace {

TEST(Panel, NeverMovesOrResizesItsChildren) {
  Panel panel(QStringLiteral("AHRS数据 显示面板"));
  panel.resize(400, 300);
  auto* child = new QLabel(QStringLiteral("航向:0.0"), &panel);
  child->setGeometry(10, 30, 120, 20);
  panel.show();
  panel.resize(600, 200);
  panel.resize(100, 100);
  EXPECT_EQ(child->geometry(), QRect(10, 30, 120, 20));
}

TEST(LabelInstrument, DrawsTheCaptionInItsTextColour) {
  LabelInstrument label;
  label.resize(56, 26);
  const QColor amber = label.TextColor();
  EXPECT_EQ(test::CountNear(test::Render(label), amber, 40), 0);

  label.SetCaption(QStringLiteral("25.0C"));
  EXPECT_GT(test::CountNear(test::Render(label), amber, 40), 15);

  // A caption far too long for the face is shrunk rather than dropped.
  label.SetCaption(QStringLiteral("-1234567.8C"));
  EXPECT_GT(test::CountNear(test::Render(label), amber, 60), 10);
}

}  // namespace
}  // namespace tarvel::widgets
