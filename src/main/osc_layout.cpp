// The main window's controls and their fixed places. The window does not lay its controls out
// again when it is resized: every control keeps the place given here.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "main/osc.h"
#include "station/maker_addresses.h"
#include "views/attitude_indicator.h"
#include "views/attitude_indicator_view.h"
#include "widgets/compass.h"
#include "widgets/diamond_led.h"
#include "widgets/label_instrument.h"
#include "widgets/led_bar.h"
#include "widgets/panel.h"
#include "widgets/placement.h"
#include "widgets/rect_led.h"
#include "widgets/switch_led.h"
#include "widgets/thermometer.h"
#include "widgets/wave_plot.h"

namespace tarvel::main_window {
namespace {

using widgets::MakeFrame;
using widgets::MakeLabel;
using widgets::Place;

// The twelve waveforms: titles and colours of channels 0..11.
widgets::WavePlotOptions PlotOptions(std::function<double()> clock) {
  widgets::WavePlotOptions o;
  o.channels = {
      {"YAW", QColor(255, 64, 64)},  {"Roll", QColor(255, 215, 0)}, {"Pitch", QColor(0, 0, 255)},
      {"Ax", QColor(139, 69, 19)},   {"Ay", QColor(255, 0, 255)},   {"Az", QColor(72, 118, 255)},
      {"Gx", QColor(151, 255, 255)}, {"Gy", QColor(255, 255, 255)}, {"Gz", QColor(0, 238, 0)},
      {"hx", QColor(245, 204, 176)}, {"hy", QColor(155, 88, 255)},  {"hz", QColor(153, 240, 50)}};
  o.time_span_s = 8.64;
  o.retention_s = 600;
  o.clock = std::move(clock);
  return o;
}

}  // namespace

void OSC::BuildControls(Clock plot_clock) {
  setWindowTitle(QStringLiteral("AHRS Voranta Flight ") + QLatin1String(station::kShopAddress));
  auto* central = new QWidget(this);
  setCentralWidget(central);
  central->setFixedSize(1180, 740);

  // ---- Upper panel: the read-outs and instruments.
  Fram_OSC =
      Place(new widgets::Panel(QStringLiteral("AHRS数据 显示面板"), central), 6, 4, 1168, 520);

  // Attitude: horizon, the three angles and the attitude curves' selector.
  Frame6 = MakeFrame(Fram_OSC, QStringLiteral("姿态解算 IMU"), 10, 30, 330, 196);
  Piczitai = Place(new views::AttitudeIndicatorView(Frame6), 10, 26, views::kPiczitaiSize.width(),
                   views::kPiczitaiSize.height());
  Label19 = MakeLabel(Frame6, QStringLiteral("航向:0.0"), 180, 30, 140, 26);
  Label20 = MakeLabel(Frame6, QStringLiteral("俯仰:0.0"), 180, 66, 140, 26);
  Label21 = MakeLabel(Frame6, QStringLiteral("横滚:0.0"), 180, 102, 140, 26);
  for (QLabel* l : {Label19, Label20, Label21}) {
    QFont f = l->font();
    f.setPointSize(13);
    f.setBold(true);
    l->setFont(f);
  }

  // Heading, then the barometer instruments and the altitude-zero button.
  iCompassX1 = Place(new widgets::Compass(Fram_OSC), 10, 232, 160, 160);
  auto* other = MakeFrame(Fram_OSC, QStringLiteral("其他"), 175, 230, 165, 190);
  iLedBarX1 = Place(new widgets::LedBar(other), 10, 24, 30, 134);
  iLedBarX1->SetRange(0, 100);
  Label3 = MakeLabel(other, QStringLiteral("0.0m"), 2, 162, 50);
  Label3->setAlignment(Qt::AlignCenter);
  iThermometerX1 = Place(new widgets::Thermometer(other), 58, 24, 44, 158);
  iThermometerX1->SetRange(-20, 80);
  iLabelX1 = Place(new widgets::LabelInstrument(other), 104, 30, 56, 26);
  iLabelX1->SetCaption(QStringLiteral("0.0C"));
  iLedRectangleX3 = Place(new widgets::RectLed(other), 110, 70, 44, 14);
  Command4 = Place(new QPushButton(QStringLiteral("清零"), other), 106, 150, 52, 26);

  auto* baro_text = MakeFrame(Fram_OSC, QString(), 10, 424, 330, 88);
  Label16 = MakeLabel(baro_text, QStringLiteral("高度:"), 10, 6, 150);
  Label17 = MakeLabel(baro_text, QStringLiteral("温度:"), 10, 32, 150);
  Label18 = MakeLabel(baro_text, QStringLiteral("气压:"), 10, 58, 150);
  Label24 = MakeLabel(baro_text, QStringLiteral("姿态解算:"), 165, 6, 160);
  Label5 = MakeLabel(baro_text, QStringLiteral("Roll:"), 165, 32, 150);
  Label6 = MakeLabel(baro_text, QStringLiteral("Pitch:"), 165, 58, 150);

  // The waveform plot with its follow and print buttons and the frame-rate read-out above it.
  Command6 = Place(new QPushButton(QStringLiteral("跟随最新"), Fram_OSC), 350, 30, 80, 24);
  plot_print_button = Place(new QPushButton(QStringLiteral("打印预览"), Fram_OSC), 436, 30, 80, 24);
  Label26 = MakeLabel(Fram_OSC, QStringLiteral("上传帧率:"), 540, 32, 64);
  Label22 = MakeLabel(Fram_OSC, QStringLiteral("0 帧每秒"), 604, 32, 80);
  Label4 = MakeLabel(Fram_OSC, QStringLiteral("建议：最大上传帧率不大于20帧每秒"), 900, 32, 258);
  Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  iPlotX1 =
      Place(new widgets::WavePlot(PlotOptions(std::move(plot_clock)), Fram_OSC), 350, 58, 808, 280);

  // One frame per sensor group: raw counts, the group's attenuation selector and check box.
  static const char* const kRawGroups[] = {"加速度", "陀螺仪", "磁力计"};
  static const char* const kRawNames[] = {
      " AX:", " AY:", " AZ:", " GX:", " GY:", " GZ:", " MX:", " MY:", " MZ:"};
  std::array<QGroupBox*, 4> group_frames = {Frame6};
  for (int g = 0; g < 3; ++g) {
    auto* frame =
        MakeFrame(Fram_OSC, QString::fromUtf8(kRawGroups[g]), 350 + g * 206, 344, 200, 168);
    group_frames[g + 1] = frame;
    for (int axis = 0; axis < 3; ++axis) {
      const int i = g * 3 + axis;
      raw_labels_[i] = MakeLabel(frame, QLatin1String(kRawNames[i]) + "0", 10, 24 + axis * 22, 110);
    }
  }
  Label7 = raw_labels_[0], Label8 = raw_labels_[1], Label9 = raw_labels_[2];
  Label10 = raw_labels_[3], Label11 = raw_labels_[4], Label12 = raw_labels_[5];
  Label13 = raw_labels_[6], Label14 = raw_labels_[7], Label15 = raw_labels_[8];
  Command1 = Place(new QPushButton(QStringLiteral("标零偏"), group_frames[2]), 120, 40, 70, 26);
  Command2 = Place(new QPushButton(QStringLiteral("磁标定"), group_frames[3]), 120, 40, 70, 26);

  static const char* const kAttenuations[] = {"1", "1/2", "1/5", "1/10", "1/20", "1/50", "1/100"};
  for (int g = 0; g < 4; ++g) {
    QGroupBox* frame = group_frames[g];
    const int y = g == 0 ? 150 : 96;
    MakeLabel(frame, QStringLiteral("波形显示衰减系数"), 10, y, 110);  // Label25
    auto* combo = Place(new QComboBox(frame), g == 0 ? 120 : 10, g == 0 ? y - 2 : y + 22, 80, 24);
    for (const char* a : kAttenuations)
      combo->addItem(QLatin1String(a));
    auto* check = Place(new QCheckBox(QStringLiteral("显示"), frame), g == 0 ? 210 : 100,
                        g == 0 ? y - 2 : y + 22, 60, 24);
    check->setChecked(true);
    group_combos_[g] = combo;
    group_checks_[g] = check;
  }
  Combo1 = group_combos_[0], Combo2 = group_combos_[1];
  Combo3 = group_combos_[2], Combo4 = group_combos_[3];
  Check1 = group_checks_[0], Check2 = group_checks_[1];
  Check3 = group_checks_[2], Check4 = group_checks_[3];

  Frame7 = MakeFrame(Fram_OSC, QStringLiteral("重力和角速度"), 968, 344, 190, 168);
  QLabel** scaled[] = {&Label29, &Label30, &Label31, &Label32, &Label33, &Label34};
  for (int i = 0; i < 6; ++i) {
    *scaled[i] = MakeLabel(Frame7, QString(), 12, 22 + i * 22, 114);
  }
  Command7 = Place(new QPushButton(QStringLiteral("配置"), Frame7), 128, 130, 54, 26);

  // ---- Lower area: the message log, the link lamps and the connect switch.
  iPanelX1 = Place(new widgets::Panel(QStringLiteral("信息显示"), central), 6, 530, 800, 206);
  Text_msg = Place(new QPlainTextEdit(iPanelX1), 10, 32, 720, 166);
  Text_msg->setReadOnly(true);
  Text_msg->setMaximumBlockCount(kMaxLogLines);
  Text_msg->setUndoRedoEnabled(false);
  Text_msg->setLineWrapMode(QPlainTextEdit::NoWrap);
  Command3 = Place(new QPushButton(QStringLiteral("Clear"), iPanelX1), 738, 32, 54, 28);
  Msg_Led = Place(new widgets::DiamondLed(iPanelX1), 752, 74, 26, 26);

  Frame1 = MakeFrame(central, QStringLiteral("串口状态"), 816, 530, 150, 100);
  iLedRectangleX1 = Place(new widgets::RectLed(Frame1), 16, 30, 50, 18);
  iLedRectangleX1->SetCaption(QStringLiteral("RXD"));
  iLedRectangleX2 = Place(new widgets::RectLed(Frame1), 84, 30, 50, 18);
  iLedRectangleX2->SetCaption(QStringLiteral("TXD"));
  iLedRectangleX2->SetActiveColor(Qt::red);

  iSwitchLedX1 = Place(new widgets::SwitchLed(central), 980, 530, 190, 130);
  iSwitchLedX1->SetCaption(QStringLiteral("连接 AHRS"));
  Command5 = Place(new QPushButton(QStringLiteral("3D显示"), central), 816, 640, 150, 30);
  Label1 = MakeLabel(central, QString(), 816, 680, 150);
  Label1->hide();

  BuildMenus();
  adjustSize();
}

}  // namespace tarvel::main_window
