// The console's controls and their fixed places. Like the main window, the console does not lay
// its controls out again when resized: every control keeps the place given here.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "console/fly_pid.h"
#include "station/maker_addresses.h"
#include "widgets/led_bar.h"
#include "widgets/placement.h"
#include "widgets/round_led.h"
#include "widgets/wave_plot.h"

namespace tarvel::console {
namespace {

// Every bar spans the pulse widths a receiver or an ESC can produce.
constexpr double kBarMin = 900;
constexpr double kBarMax = 2100;
constexpr int kBarPitch = 44;  // distance between neighbouring bars
constexpr int kBarWidth = 26;
constexpr int kBarHeight = 130;

using widgets::MakeFrame;
using widgets::MakeLabel;
using widgets::Place;

// One channel column of a PWM group: name above, bar, value below.
struct ChannelColumn {
  QLabel* name;
  widgets::LedBar* bar;
  QLabel* value;
};

ChannelColumn MakeChannel(QWidget* parent, int channel) {
  const int x = 14 + channel * kBarPitch;
  const int centre = x + kBarWidth / 2;
  ChannelColumn c;
  c.name = MakeLabel(parent, QStringLiteral("CH%1").arg(channel + 1), centre - 20, 22, 40);
  c.name->setAlignment(Qt::AlignCenter);
  c.bar = Place(new widgets::LedBar(parent), x, 44, kBarWidth, kBarHeight);
  c.bar->SetOrientation(Qt::Vertical);
  c.bar->SetRange(kBarMin, kBarMax);
  c.bar->SetPosition(kBarMin);
  c.value = MakeLabel(parent, QStringLiteral("1500"), centre - 21, 178, 42);
  c.value->setAlignment(Qt::AlignCenter);
  return c;
}

widgets::WavePlotOptions TrackPlotOptions(std::function<double()> clock) {
  widgets::WavePlotOptions o;
  o.channels = {{QStringLiteral("Target"), QColor(255, 64, 64)},
                {QStringLiteral("Current"), QColor(0, 200, 0)},
                {QStringLiteral("PID"), QColor(255, 215, 0)}};
  o.title = QStringLiteral("PID");
  o.clock = std::move(clock);
  return o;
}

}  // namespace

void FlyPID::BuildControls(std::function<double()> plot_clock) {
  setWindowTitle(QStringLiteral("飞控界面 ") + QLatin1String(station::kShopAddress));
  setFixedSize(1200, 676);

  // ---- Upper row: PWM channels, then GPS, target and status.
  Frame_in = MakeFrame(this, QStringLiteral("PWM输入"), 10, 8, 280, 244);
  std::array<ChannelColumn, 6> in;
  for (int ch = 0; ch < 6; ++ch) {
    in[ch] = MakeChannel(Frame_in, ch);
    in_bars_[ch] = in[ch].bar;
    in_values_[ch] = in[ch].value;
  }
  input1 = in[0].bar, input2 = in[1].bar, iLedBarX1 = in[2].bar;
  iLedBarX2 = in[3].bar, iLedBarX3 = in[4].bar, iLedBarX4 = in[5].bar;
  Label1 = in[0].name, Label3 = in[1].name, Label5 = in[2].name;
  Label7 = in[3].name, Label9 = in[4].name, Label11 = in[5].name;
  Label2 = in[0].value, Label4 = in[1].value, Label6 = in[2].value;
  Label8 = in[3].value, Label10 = in[4].value, Label12 = in[5].value;
  Command12 = Place(new QPushButton(QStringLiteral("记录中立值"), Frame_in), 80, 206, 120, 28);

  Frame_out = MakeFrame(this, QStringLiteral("PWM输出"), 300, 8, 370, 244);
  std::array<ChannelColumn, 8> out;
  for (int ch = 0; ch < 8; ++ch) {
    out[ch] = MakeChannel(Frame_out, ch);
    out_bars_[ch] = out[ch].bar;
    out_values_[ch] = out[ch].value;
  }
  iLedBarX5 = out[0].bar, iLedBarX6 = out[1].bar, iLedBarX7 = out[2].bar;
  iLedBarX8 = out[3].bar, iLedBarX9 = out[4].bar, iLedBarX10 = out[5].bar;
  iLedBarX11 = out[6].bar, iLedBarX12 = out[7].bar;
  Label13 = out[0].name, Label15 = out[1].name, Label17 = out[2].name, Label19 = out[3].name;
  Label21 = out[4].name, Label23 = out[5].name, Label25 = out[6].name, Label27 = out[7].name;
  Label14 = out[0].value, Label16 = out[1].value, Label18 = out[2].value, Label20 = out[3].value;
  Label22 = out[4].value, Label24 = out[5].value, Label26 = out[6].value, Label28 = out[7].value;

  // Information groups: a lamp in the corner and six lines of text. The first frame of each
  // kind replaces the sample texts.
  auto info_group = [this](const QString& caption, int x, widgets::RoundLed*& led,
                           std::array<QLabel**, 6> labels, std::array<const char*, 6> texts) {
    QGroupBox* frame = MakeFrame(this, caption, x, 8, 168, 244);
    led = Place(new widgets::RoundLed(frame), 138, 20, 20, 20);
    for (int row = 0; row < 6; ++row)
      *labels[row] = MakeLabel(frame, QString::fromUtf8(texts[row]), 12, 44 + row * 32, 150);
    return frame;
  };
  Frame_gps = info_group(QStringLiteral("GPS位置"), 680, iLedRoundX1,
                         {&Label29, &Label48, &Label49, &Label50, &Label51, &Label52},
                         {"经度:120.0122度", "纬度:30.2741度", "高度:12.5米", "航向:0.0度",
                          "速度:0.0m/s", "锁定卫星:0颗"});
  Frame_target = info_group(QStringLiteral("目标信息"), 856, iLedRoundX2,
                            {&Label58, &Label57, &Label56, &Label53, &Label55, &Label54},
                            {"经度:120.0122度", "纬度:30.2741度", "高度:12.5米", "距离:0.0米",
                             "X控制量:0.0度", "Y控制量:0.0度"});
  Frame_status = info_group(
      QStringLiteral("系统状态"), 1032, iLedRoundX3,
      {&Label59, &Label60, &Label61, &Label62, &Label63, &Label64},
      {"工作模式:手动", "舵机电压", "主电池电压", "错误代码", "开机时间", "I2C错误次数:"});

  // ---- Middle row: the five loops, then the tracking selector and read-outs.
  QLineEdit** boxes[kLoops][3] = {{&Text1, &Text2, &Text3},
                                  {&Text6, &Text5, &Text4},
                                  {&Text9, &Text8, &Text7},
                                  {&Text12, &Text11, &Text10},
                                  {&Text13, &Text14, &Text15}};
  QPushButton** reads[kLoops] = {&Command1, &Command4, &Command6, &Command9, &Command10};
  QPushButton** writes[kLoops] = {&Command2, &Command3, &Command5, &Command8, &Command11};
  static const char* const kCaptions[kLoops] = {"横滚PID", "俯仰PID", "航向PID", "高度PID",
                                                "角度平衡PID"};
  static const char* const kRows[3] = {"Pk", "Ik", "Dk"};
  for (int l = 0; l < kLoops; ++l) {
    QGroupBox* frame =
        MakeFrame(this, QString::fromUtf8(kCaptions[l]), 10 + l * 146, 260, 138, 160);
    pid_frames[l] = frame;
    for (int row = 0; row < 3; ++row) {
      MakeLabel(frame, QLatin1String(kRows[row]), 10, 26 + row * 30, 24, 24);
      *boxes[l][row] = Place(new QLineEdit(QStringLiteral("0"), frame), 36, 26 + row * 30, 92, 24);
    }
    *reads[l] = Place(new QPushButton(QStringLiteral("读取"), frame), 10, 122, 56, 28);
    *writes[l] = Place(new QPushButton(QStringLiteral("写入"), frame), 72, 122, 56, 28);
    (*writes[l])->setEnabled(false);  // until the loop's gains have been read
    loops_[l] = {*boxes[l][0], *boxes[l][1], *boxes[l][2], *reads[l], *writes[l]};
  }

  auto* tracking = MakeFrame(this, QString(), 744, 260, 446, 160);
  Combo1 = Place(new QComboBox(tracking), 14, 16, 150, 26);
  Combo1->setEditable(true);
  Combo1->setInsertPolicy(QComboBox::NoInsert);
  for (const char* item : {"横滚PID", "俯仰PID", "航向PID", "高度PID"})
    Combo1->addItem(QString::fromUtf8(item));
  Combo1->setCurrentIndex(-1);
  Combo1->setEditText(QStringLiteral("PID"));
  Check1 = Place(new QCheckBox(QStringLiteral("跟踪PID"), tracking), 190, 16, 90, 26);
  Check1->setChecked(true);
  Command7 = Place(new QPushButton(QStringLiteral("跟踪最新"), tracking), 330, 15, 100, 28);
  Label42 = MakeLabel(tracking, QStringLiteral("目标值："), 40, 60, 200, 24);
  Label43 = MakeLabel(tracking, QStringLiteral("当前值："), 40, 90, 200, 24);
  Check2 = Place(new QCheckBox(tracking), 14, 120, 24, 24);
  Check2->setChecked(true);
  Check2->setToolTip(QStringLiteral("显示控制量曲线"));
  Label44 = MakeLabel(tracking, QStringLiteral("控制量："), 40, 120, 200, 24);
  for (QLabel* l : {Label42, Label43, Label44}) {
    QFont f = l->font();
    f.setPointSize(11);
    l->setFont(f);
  }

  // ---- Lower row: the tracking plot.
  iPlotX1 = Place(new widgets::WavePlot(TrackPlotOptions(std::move(plot_clock)), this), 10, 428,
                  1180, 240);
}

}  // namespace tarvel::console
