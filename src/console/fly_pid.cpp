// The console's load step, its commands to the board, the decoded frames it shows and its
// handlers. The controls and their places are in fly_pid_layout.cpp.

#include "console/fly_pid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "console/servo_mid_dialog.h"
#include "link/commands.h"
#include "platform/serial_port.h"
#include "widgets/led_bar.h"
#include "widgets/number_texts.h"
#include "widgets/round_led.h"
#include "widgets/show_window.h"
#include "widgets/wave_plot.h"

namespace tarvel::console {
namespace {

constexpr float kLoadChannelValue = 1500.0f;
const char* const kLoopNames[FlyPID::kLoops] = {"横滚PID", "俯仰PID", "航向PID", "高度PID",
                                                "角度平衡PID"};

using widgets::Decimal;
using widgets::Fixed;

}  // namespace

FlyPID::FlyPID(station::Station& station, std::function<double()> plot_clock, QWidget* parent)
    : QWidget(parent), station_(station) {
  BuildControls(std::move(plot_clock));
  ConnectSignals();
}

FlyPID::~FlyPID() = default;

void FlyPID::EnsureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  station_.console_channels.inch.fill(kLoadChannelValue);
  station_.console_channels.outch.fill(kLoadChannelValue);
  tracking_ = true;
  // Selecting the first loop sends its select frame, as if the user had picked it.
  Combo1->setCurrentIndex(0);
  Combo1_Click();
  Timer1.SetEnabled(true);
}

void FlyPID::showEvent(QShowEvent* event) {
  EnsureLoaded();
  QWidget::showEvent(event);
}

// ---- Commands

void FlyPID::servo_mid() {
  station_.sender.SendLogged(link::ServoMidCommand(), QStringLiteral("记录舵机中立位"));
}

void FlyPID::Send_readPID(std::uint8_t n) {
  station_.sender.Send(link::ReadPidCommand(n));
}

void FlyPID::Send_seePID(std::uint8_t n) {
  station_.sender.Send(link::SelectPidCommand(n));
}

void FlyPID::Send_writePID(std::uint8_t loop) {
  if (loop < 1 || loop > kLoops || !station_.port.IsOpen()) return;
  const LoopControls& c = Loop(loop);
  const auto p = link::PidGainFromText(c.p->text().toStdString());
  const auto i = link::PidGainFromText(c.i->text().toStdString());
  const auto d = link::PidGainFromText(c.d->text().toStdString());
  if (!p || !i || !d) {
    // An infinite gain would reach the flight controller as a real command; refuse the loop.
    station_.sender.Tell(QString::fromUtf8(kLoopNames[loop - 1]) +
                         QStringLiteral(" 参数超出范围,未发送"));
    return;
  }
  station_.sender.Send(link::WritePidCommand(loop, *p, *i, *d));
}

// ---- Decoded frames

void FlyPID::Decode_Track(const link::TrackReport& report) {
  EnsureLoaded();
  iPlotX1->Append(0, report.target);
  Label42->setText(QStringLiteral("目标值：") + Fixed(report.target, 2));
  iPlotX1->Append(1, report.current);
  Label43->setText(QStringLiteral("当前值：") + Fixed(report.current, 2));
  iPlotX1->Append(2, report.output);
  Label44->setText(QStringLiteral("控制量：") + Fixed(report.output, 2));
}

void FlyPID::Decode_PID(const link::PidReport& report) {
  if (report.loop < 1 || report.loop > kLoops) return;
  EnsureLoaded();
  const LoopControls& c = Loop(report.loop);
  c.p->setText(Fixed(report.p, 3));
  c.i->setText(Fixed(report.i, 3));
  c.d->setText(Fixed(report.d, 3));
  c.write->setEnabled(true);
}

void FlyPID::Decode_GPS(const link::GpsReport& report) {
  EnsureLoaded();
  Label29->setText(QStringLiteral("经度:") + Decimal(report.longitude) + QStringLiteral("度"));
  Label48->setText(QStringLiteral("纬度:") + Decimal(report.latitude) + QStringLiteral("度"));
  Label49->setText(QStringLiteral("高度:") + Fixed(report.altitude, 1) + QStringLiteral("米"));
  Label52->setText(QStringLiteral("锁定卫星:") + QString::number(report.satellites) +
                   QStringLiteral("颗"));
  Label50->setText(QStringLiteral("航向:") + Fixed(report.course, 1) + QStringLiteral("度"));
  Label51->setText(QStringLiteral("速度:") + Fixed(report.speed, 1) + QStringLiteral("m/s"));
}

void FlyPID::Decode_Target(const link::TargetReport& report) {
  EnsureLoaded();
  Label58->setText(QStringLiteral("经度:") + Decimal(report.longitude) + QStringLiteral("度"));
  Label57->setText(QStringLiteral("纬度:") + Decimal(report.latitude) + QStringLiteral("度"));
  Label56->setText(QStringLiteral("高度:") + Fixed(report.altitude, 1) + QStringLiteral("米"));
  Label53->setText(QStringLiteral("距离:") + Fixed(report.distance, 1) + QStringLiteral("米"));
  Label55->setText(QStringLiteral("X控制量:") + Fixed(report.x_output, 1) + QStringLiteral("度"));
  Label54->setText(QStringLiteral("Y控制量:") + Fixed(report.y_output, 1) + QStringLiteral("度"));
}

void FlyPID::Decode_Status(const link::StatusReport& report) {
  EnsureLoaded();
  switch (report.mode) {
    case 1: Label59->setText(QStringLiteral("手动模式")); break;
    case 2: Label59->setText(QStringLiteral("平衡模式")); break;
    case 3: Label59->setText(QStringLiteral("定点飞行")); break;
    case 4: Label59->setText(QStringLiteral("ESC校准")); break;
    default: break;  // an unknown mode keeps what the label showed
  }
  Label61->setText(QStringLiteral("电池电压:") + Fixed(report.battery, 1) + QStringLiteral("V"));
  Label60->setText(QStringLiteral("舵机电压:") + Fixed(report.servo_voltage, 1) +
                   QStringLiteral("V"));
  Label62->setText(QStringLiteral("错误代码:") + QString::number(report.error_code));
  Label64->setText(QStringLiteral("I2C错误次数:") + QString::number(report.i2c_errors) +
                   QStringLiteral("次"));
  Label63->setText(QStringLiteral("开机时间:") + QString::number(report.uptime) +
                   QStringLiteral("秒"));
}

void FlyPID::ToggleGpsLed() {
  EnsureLoaded();
  iLedRoundX1->Toggle();
}
void FlyPID::ToggleTargetLed() {
  EnsureLoaded();
  iLedRoundX2->Toggle();
}
void FlyPID::ToggleStatusLed() {
  EnsureLoaded();
  iLedRoundX3->Toggle();
}

// ---- Handlers

void FlyPID::Timer1_Tick() {
  const station::ConsoleChannels& channels = station_.console_channels;
  for (std::size_t ch = 0; ch < in_bars_.size(); ++ch) {
    in_bars_[ch]->SetPosition(channels.inch[ch]);
    in_values_[ch]->setText(Decimal(channels.inch[ch]));
  }
  for (std::size_t ch = 0; ch < out_bars_.size(); ++ch) {
    out_bars_[ch]->SetPosition(channels.outch[ch]);
    out_values_[ch]->setText(Decimal(channels.outch[ch]));
  }
}

void FlyPID::Combo1_Click() {
  // Index -1 (nothing selected) selects "loop 0", as the board's tools always have.
  Send_seePID(static_cast<std::uint8_t>(Combo1->currentIndex() + 1));
}

void FlyPID::ReadButton_Click(int loop) {
  Send_readPID(static_cast<std::uint8_t>(loop));
}

void FlyPID::WriteButton_Click(int loop) {
  Send_writePID(static_cast<std::uint8_t>(loop));
}

void FlyPID::Command12_Click() {
  if (!servo_dialog) servo_dialog = new servomid([this] { servo_mid(); }, this);
  widgets::ShowWindow(*servo_dialog);
}

void FlyPID::Command7_Click() {
  iPlotX1->FollowNewest();
}

void FlyPID::Check1_Click() {
  tracking_ = Check1->isChecked();
}

void FlyPID::Check2_Click() {
  iPlotX1->SetChannelVisible(2, Check2->isChecked());
}

void FlyPID::ConnectSignals() {
  connect(&Timer1, &platform::Timer::tick, this, &FlyPID::Timer1_Tick);
  // activated: the user picked an item (also the one already selected), or confirmed an exactly
  // typed item name, which the combo box itself turns into that item. Typing alone is not.
  connect(Combo1, &QComboBox::activated, this, &FlyPID::Combo1_Click);
  for (int loop = 1; loop <= kLoops; ++loop) {
    connect(Loop(loop).read, &QPushButton::clicked, this, [this, loop] { ReadButton_Click(loop); });
    connect(Loop(loop).write, &QPushButton::clicked, this,
            [this, loop] { WriteButton_Click(loop); });
  }
  connect(Command12, &QPushButton::clicked, this, &FlyPID::Command12_Click);
  connect(Command7, &QPushButton::clicked, this, &FlyPID::Command7_Click);
  connect(Check1, &QCheckBox::clicked, this, &FlyPID::Check1_Click);
  connect(Check2, &QCheckBox::clicked, this, &FlyPID::Check2_Click);
}

}  // namespace tarvel::console
