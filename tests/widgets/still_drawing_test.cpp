// Widgets on panels and frames paint what lies behind them themselves and tell Qt they are
// opaque. The window must look exactly as when Qt paints every layer: these tests compare a
// window against the same window whose background keeps everything transparent.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QPalette>
#include <algorithm>
#include <memory>

#include "widgets/compass.h"
#include "widgets/label_instrument.h"
#include "widgets/panel.h"
#include "widgets/pixels.h"
#include "widgets/placement.h"
#include "widgets/rect_led.h"
#include "widgets/thermometer.h"

namespace tarvel::widgets {
namespace {

struct Scene {
  std::unique_ptr<QMainWindow> window = std::make_unique<QMainWindow>();
  Panel* panel;
  FrameBox* frame;
  QLabel* framed_label;
  QLabel* panel_label;
  RectLed* led;
  Thermometer* thermometer;
  LabelInstrument* readout;
  Compass* compass;

  // `transparent`: an auto-filled window background, which nothing can paint for Qt, so every
  // widget stays transparent and Qt paints all layers (the picture to match).
  explicit Scene(bool transparent) {
    window->setAutoFillBackground(transparent);
    auto* central = new QWidget(window.get());
    central->setFixedSize(420, 320);
    window->setCentralWidget(central);
    panel = Place(new Panel(QStringLiteral("面板"), central), 6, 4, 400, 300);
    frame = MakeFrame(panel, QStringLiteral("加速度"), 10, 30, 220, 160);
    framed_label = MakeLabel(frame, QStringLiteral(" AX:-3184"), 10, 24, 110);
    led = Place(new RectLed(frame), 130, 30, 44, 14);
    readout = Place(new LabelInstrument(frame), 130, 60, 56, 26);
    readout->SetCaption(QStringLiteral("25.2C"));
    panel_label = MakeLabel(panel, QStringLiteral("50 帧每秒"), 240, 32, 100);
    thermometer = Place(new Thermometer(panel), 240, 60, 44, 158);
    thermometer->SetRange(-20, 80);
    thermometer->SetPosition(25);
    compass = Place(new Compass(panel), 10, 200, 90, 90);
    compass->SetHeading(33);
    window->adjustSize();
  }

  // Grabs twice: the first paint finds out what can be opaque, the second paints that way.
  QImage Picture() {
    test::Render(*window);
    return test::Render(*window);
  }
};

int MaxDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 256;
  int worst = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
      worst = std::max({worst, std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                        std::abs(p.blue() - q.blue())});
    }
  }
  return worst;
}

TEST(StillDrawing, OpaqueWidgetsLookAsWhenQtPaintsEveryLayer) {
  Scene opaque(false), reference(true);
  EXPECT_LE(MaxDifference(opaque.Picture(), reference.Picture()), 1);
  for (QWidget* w : std::initializer_list<QWidget*>{
           opaque.panel, opaque.frame, opaque.framed_label, opaque.panel_label, opaque.led,
           opaque.thermometer, opaque.readout, opaque.compass}) {
    EXPECT_TRUE(w->testAttribute(Qt::WA_OpaquePaintEvent)) << w->metaObject()->className();
  }
  EXPECT_FALSE(reference.framed_label->testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_FALSE(reference.panel->testAttribute(Qt::WA_OpaquePaintEvent));
}

// Every change that shows behind a widget reaches its picture of what lies behind it.
TEST(StillDrawing, PicturesFollowChangesBehindTheWidgets) {
  Scene opaque(false), reference(true);
  opaque.Picture();
  for (Scene* s : {&opaque, &reference}) {
    QPalette p = s->window->palette();
    p.setColor(QPalette::Window, QColor(200, 180, 120));
    s->window->setPalette(p);
    s->frame->setTitle(QStringLiteral("陀螺仪 GX GY GZ"));
    s->panel->SetTitle(QStringLiteral("新的面板"));
    s->frame->move(14, 34);  // the frame's children now stand elsewhere on the panel
    s->led->Toggle();
  }
  EXPECT_LE(MaxDifference(opaque.Picture(), reference.Picture()), 1);
}

TEST(StillDrawing, WidgetsOnACheckableFrameStayTransparent) {
  Scene opaque(false);
  opaque.Picture();
  ASSERT_TRUE(opaque.framed_label->testAttribute(Qt::WA_OpaquePaintEvent));
  opaque.frame->setCheckable(true);  // its check box follows the mouse: not a still drawing
  opaque.Picture();
  EXPECT_FALSE(opaque.frame->testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_FALSE(opaque.framed_label->testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_TRUE(opaque.panel_label->testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(StillDrawing, ALabelOverlappingAnEarlierSiblingStaysTransparent) {
  Scene opaque(false);
  auto* under = Place(new RectLed(opaque.panel), 236, 28, 40, 10);
  under->stackUnder(opaque.panel_label);
  under->show();
  opaque.Picture();
  EXPECT_FALSE(opaque.panel_label->testAttribute(Qt::WA_OpaquePaintEvent));
}

}  // namespace
}  // namespace tarvel::widgets
