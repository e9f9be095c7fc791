// Setters run for every telemetry frame: one that changes nothing visible must not repaint,
// one that does must. Paint events are counted on a shown widget after the event loop ran.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <functional>
#include <limits>
#include <memory>

#include "widgets/compass.h"
#include "widgets/diamond_led.h"
#include "widgets/label_instrument.h"
#include "widgets/led_bar.h"
#include "widgets/panel.h"
#include "widgets/rect_led.h"
#include "widgets/round_led.h"
#include "widgets/switch_led.h"
#include "widgets/thermometer.h"

namespace tarvel::widgets {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

struct RepaintCase {
  const char* name;
  std::function<QWidget*()> make;                 // widget in its starting state
  std::function<void(QWidget*)> nothing_visible;  // setters that change nothing on screen
  std::function<void(QWidget*)> visible;          // a setter that changes the picture
};

void PrintTo(const RepaintCase& c, std::ostream* os) {
  *os << c.name;
}

template <typename W>
W& As(QWidget* w) {
  return *static_cast<W*>(w);
}

class Repaint : public ::testing::TestWithParam<RepaintCase> {
 protected:
  void SetUp() override {
    widget_.reset(GetParam().make());
    widget_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget_.get()));
    widget_->installEventFilter(&counter_);
    Settle();
  }
  int PaintsAfter(const std::function<void(QWidget*)>& change) {
    counter_.paints = 0;
    change(widget_.get());
    Settle();
    return counter_.paints;
  }
  static void Settle() {
    for (int i = 0; i < 3; ++i)
      QApplication::processEvents();
  }

  PaintCounter counter_;
  std::unique_ptr<QWidget> widget_;
};

TEST_P(Repaint, OnlyVisibleChangesRepaint) {
  EXPECT_EQ(PaintsAfter(GetParam().nothing_visible), 0);
  EXPECT_GT(PaintsAfter(GetParam().visible), 0);
}

const RepaintCase kCases[] = {
    {"LedBar",
     [] {
       auto* bar = new LedBar;
       bar->resize(30, 170);
       bar->SetRange(0, 100);
       bar->SetPosition(50);
       return bar;
     },
     [](QWidget* w) {
       auto& bar = As<LedBar>(w);
       bar.SetPosition(50);
       bar.SetPosition(50.1);  // same number of lit segments
       bar.SetPosition(kNaN);
       bar.SetRange(0, 100);
       bar.SetReversed(false);
       bar.SetActiveColor(bar.ActiveColor());
     },
     [](QWidget* w) { As<LedBar>(w).SetPosition(90); }},
    {"Thermometer",
     [] {
       auto* t = new Thermometer;
       t->resize(44, 190);
       t->SetRange(-20, 80);
       t->SetPosition(25);
       return t;
     },
     [](QWidget* w) {
       auto& t = As<Thermometer>(w);
       t.SetPosition(25);
       t.SetPosition(25.001);  // far less than a pixel
       t.SetPosition(kNaN);
       t.SetRange(-20, 80);
     },
     [](QWidget* w) { As<Thermometer>(w).SetPosition(30); }},
    {"LabelInstrument",
     [] {
       auto* label = new LabelInstrument;
       label->resize(56, 26);
       label->SetCaption(QStringLiteral("25.0C"));
       return label;
     },
     [](QWidget* w) {
       // An equal text built anew, as the window formats it for every frame.
       As<LabelInstrument>(w).SetCaption(QString::number(25.0, 'f', 1) + QLatin1Char('C'));
     },
     [](QWidget* w) { As<LabelInstrument>(w).SetCaption(QStringLiteral("25.1C")); }},
    {"RectLed",
     [] {
       auto* led = new RectLed;
       led->resize(50, 18);
       led->SetCaption(QStringLiteral("RXD"));
       return led;
     },
     [](QWidget* w) {
       auto& led = As<RectLed>(w);
       led.SetActive(false);
       led.SetCaption(QStringLiteral("RXD"));
       led.SetActiveColor(led.ActiveColor());
     },
     [](QWidget* w) { As<RectLed>(w).Toggle(); }},
    {"DiamondLed", [] { return new DiamondLed; },
     [](QWidget* w) { As<DiamondLed>(w).SetActive(false); },
     [](QWidget* w) { As<DiamondLed>(w).SetActive(true); }},
    {"RoundLed", [] { return new RoundLed; }, [](QWidget* w) { As<RoundLed>(w).SetActive(false); },
     [](QWidget* w) { As<RoundLed>(w).Toggle(); }},
    {"SwitchLed",
     [] {
       auto* s = new SwitchLed;
       s->resize(190, 130);
       s->SetCaption(QStringLiteral("连接 AHRS"));
       return s;
     },
     [](QWidget* w) {
       auto& s = As<SwitchLed>(w);
       s.SetCaption(QStringLiteral("连接 AHRS"));
       s.SetLedActive(false);
     },
     [](QWidget* w) { As<SwitchLed>(w).SetLedActive(true); }},
    {"Compass",
     [] {
       auto* c = new Compass;
       c->resize(160, 160);
       c->SetHeading(90);
       return c;
     },
     [](QWidget* w) {
       auto& c = As<Compass>(w);
       c.SetHeading(90);
       c.SetHeading(450);    // the same heading
       c.SetHeading(90.01);  // not a visible turn
       c.SetHeading(kNaN);
     },
     [](QWidget* w) { As<Compass>(w).SetHeading(100); }},
    {"Panel",
     [] {
       auto* p = new Panel(QStringLiteral("信息显示"));
       p->resize(300, 200);
       return p;
     },
     [](QWidget* w) { As<Panel>(w).SetTitle(QStringLiteral("信息显示")); },
     [](QWidget* w) { As<Panel>(w).SetTitle(QStringLiteral("端口设置")); }},
};

INSTANTIATE_TEST_SUITE_P(Widgets, Repaint, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvel::widgets
