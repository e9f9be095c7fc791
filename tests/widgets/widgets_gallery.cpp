// Shows every instrument widget in a few states on one panel, to judge how they look together.
// With "--shot file.png" it saves the window as a picture and quits (for headless checks).
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>

#include "widgets/compass.h"
#include "widgets/diamond_led.h"
#include "widgets/label_instrument.h"
#include "widgets/led_bar.h"
#include "widgets/panel.h"
#include "widgets/rect_led.h"
#include "widgets/round_led.h"
#include "widgets/switch_led.h"
#include "widgets/thermometer.h"

namespace w = tarvel::widgets;

namespace {

template <typename T>
T* Place(T* widget, int x, int y, int width, int height) {
  widget->setGeometry(x, y, width, height);
  return widget;
}

QLabel* Note(QWidget* parent, const QString& text, int x, int y, int width = 90) {
  auto* label = Place(new QLabel(text, parent), x, y, width, 18);
  label->setAlignment(Qt::AlignHCenter);
  return label;
}

void BuildTop(w::Panel* panel) {
  // Barometer group as the main window has it: altitude bar, thermometer, read-out, heartbeat.
  auto* baro = Place(new QGroupBox(QStringLiteral("气压计"), panel), 10, 32, 190, 250);
  auto* altitude = Place(new w::LedBar(baro), 10, 24, 30, 170);
  altitude->SetRange(0, 100);
  altitude->SetPosition(50);
  Note(baro, QStringLiteral("50.0m"), 0, 200, 50);
  auto* thermometer = Place(new w::Thermometer(baro), 58, 24, 44, 190);
  thermometer->SetRange(-20, 80);
  thermometer->SetPosition(25);
  auto* read_out = Place(new w::LabelInstrument(baro), 110, 30, 64, 26);
  read_out->SetCaption(QStringLiteral("25.0C"));
  auto* heartbeat = Place(new w::RectLed(baro), 118, 70, 40, 14);
  heartbeat->SetActive(true);

  // Compass at three headings.
  const double headings[] = {0.0, 90.0, 233.5};
  for (int i = 0; i < 3; ++i) {
    auto* compass = Place(new w::Compass(panel), 212 + i * 170, 36, 160, 160);
    compass->SetHeading(headings[i]);
    Note(panel, QStringLiteral("航向 %1").arg(headings[i]), 212 + i * 170 + 35, 200);
  }

  // Optical-flow cross: four bars growing outwards from the centre.
  auto* flow = Place(new QGroupBox(QStringLiteral("模拟坐标"), panel), 730, 32, 200, 250);
  auto* left = Place(new w::LedBar(flow), 10, 110, 80, 24);
  left->SetOrientation(Qt::Horizontal);
  left->SetReversed(true);
  left->SetPosition(60);
  auto* right = Place(new w::LedBar(flow), 110, 110, 80, 24);
  right->SetOrientation(Qt::Horizontal);
  auto* up = Place(new w::LedBar(flow), 88, 24, 24, 80);
  up->SetPosition(30);
  auto* down = Place(new w::LedBar(flow), 88, 140, 24, 80);
  down->SetReversed(true);
  down->SetPosition(100);
  Note(flow, QStringLiteral("X 60, Y -30"), 10, 226, 180);
}

void BuildConsole(QWidget* parent) {
  // PWM bars of the console (900..2100) and its round lamps.
  auto* pwm = Place(new QGroupBox(QStringLiteral("PWM输入"), parent), 10, 300, 330, 230);
  const double values[] = {900, 1100, 1500, 1750, 2000, 2100};
  for (int i = 0; i < 6; ++i) {
    auto* bar = Place(new w::LedBar(pwm), 14 + i * 52, 24, 26, 160);
    bar->SetRange(900, 2100);
    bar->SetPosition(values[i]);
    if (i == 5) bar->SetActiveColor(QColor(255, 196, 40));
    Note(pwm, QStringLiteral("CH%1").arg(i + 1), i * 52, 188, 56);
    Note(pwm, QString::number(values[i]), i * 52, 204, 56);
  }

  auto* lamps = Place(new QGroupBox(QStringLiteral("GPS位置 / 目标信息 / 系统状态"), parent), 350,
                      300, 250, 110);
  const QColor colours[] = {QColor(40, 230, 70), QColor(40, 230, 70), QColor(255, 196, 40)};
  for (int i = 0; i < 3; ++i) {
    auto* lamp = Place(new w::RoundLed(lamps), 24 + i * 60, 30, 22, 22);
    lamp->SetActiveColor(colours[i]);
    lamp->SetActive(i != 1);
    Note(lamps, i == 1 ? QStringLiteral("熄灭") : QStringLiteral("点亮"), i * 60 - 5, 58, 60);
  }
  auto* big = Place(new w::RoundLed(lamps), 196, 26, 30, 30);
  big->SetActiveColor(Qt::red);
  big->SetActive(true);
}

void BuildLog(w::Panel* panel) {
  auto* text = Place(
      new QLabel(QStringLiteral("1:  欢迎使用\n>  正在打开端口 ...\n>  端口打开成功 ..."), panel),
      10, 32, 200, 60);
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text->setStyleSheet(QStringLiteral("background: white; border: 1px solid #888;"));
  auto* lit = Place(new w::DiamondLed(panel), 224, 34, 26, 26);
  lit->SetActive(true);
  Place(new w::DiamondLed(panel), 224, 66, 26, 26);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString shot;
  const QStringList args = app.arguments();
  const qsizetype at = args.indexOf(QStringLiteral("--shot"));
  if (at >= 0 && at + 1 < args.size()) shot = args.at(at + 1);

  QWidget window;
  window.setWindowTitle(QStringLiteral("Instrument widgets"));
  window.resize(1180, 540);

  auto* top = Place(new w::Panel(QStringLiteral("AHRS数据 显示面板"), &window), 6, 4, 940, 290);
  BuildTop(top);
  BuildConsole(&window);

  auto* log = Place(new w::Panel(QStringLiteral("信息显示"), &window), 610, 300, 270, 110);
  BuildLog(log);

  auto* link = Place(new QGroupBox(QStringLiteral("串口状态"), &window), 610, 420, 150, 60);
  auto* rxd = Place(new w::RectLed(link), 16, 28, 50, 18);
  rxd->SetCaption(QStringLiteral("RXD"));
  rxd->SetActive(true);
  auto* txd = Place(new w::RectLed(link), 84, 28, 50, 18);
  txd->SetCaption(QStringLiteral("TXD"));
  txd->SetActiveColor(Qt::red);

  auto* closed = Place(new w::SwitchLed(&window), 956, 10, 190, 130);
  closed->SetCaption(QStringLiteral("连接 AHRS"));
  auto* open = Place(new w::SwitchLed(&window), 956, 150, 190, 130);
  open->SetCaption(QStringLiteral("端口已打开"));
  open->SetLedActive(true);
  open->click();  // lever up, as after the user turned it on
  auto* small = Place(new w::SwitchLed(&window), 956, 300, 100, 90);
  small->SetCaption(QStringLiteral("端口已关闭"));
  small->SetLedColor(Qt::red);
  small->SetLedActive(true);

  auto* bar = Place(new w::LedBar(&window), 890, 420, 280, 26);
  bar->SetOrientation(Qt::Horizontal);
  bar->SetRange(900, 2100);
  bar->SetPosition(1500);

  window.show();
  if (!shot.isEmpty()) {
    QTimer::singleShot(300, &window, [&window, shot] {
      const bool saved = window.grab().save(shot);
      QApplication::exit(saved ? 0 : 1);
    });
  }
  return app.exec();
}
