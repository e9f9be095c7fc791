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
#include "format/number_text.h"
#include "link/commands.h"
#include "widgets/led_bar.h"
#include "widgets/round_led.h"
#include "widgets/wave_plot.h"

namespace tarvel::console {
namespace {

constexpr float kLoadChannelValue = 1500.0f;
const char* const kLoopNames[FlyPID::kLoops] = {"横滚PID", "俯仰PID", "航向PID", "高度PID",
                                                "角度平衡PID"};

QString Text(const std::string& s) {
  return QString::fromStdString(s);
}
QString Fixed(double value, int decimals) {
  return Text(format::FormatFixed(value, decimals));
}
QString Decimal(float value) {
  return Text(format::DecimalText(value));
}

}  // namespace

FlyPID::FlyPID(ConsoleChannels& channels, platform::SerialPort& port,
               std::function<void()> send_led_on, std::function<void(const QString&)> show_msg,
               std::function<double()> plot_clock, QWidget* parent)
    : QWidget(parent),
      channels_(channels),
      port_(port),
      send_led_on_(std::move(send_led_on)),
      show_msg_(std::move(show_msg)) {
  BuildControls(std::move(plot_clock));
  ConnectSignals();
}

FlyPID::~FlyPID() = default;

void FlyPID::EnsureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  channels_.inch.fill(kLoadChannelValue);
  channels_.outch.fill(kLoadChannelValue);
  tracking_ = true;
  // Selecting the first loop is what sends its select frame; done by hand so the frame goes
  // out even if the list already stood on that item.
  {
    const QSignalBlocker block(Combo1);
    Combo1->setCurrentIndex(0);
  }
  Combo1_Click();
  Timer1.SetEnabled(true);
}

void FlyPID::showEvent(QShowEvent* event) {
  EnsureLoaded();
  QWidget::showEvent(event);
}

// ---- Commands

bool FlyPID::SendFrame(std::span<const std::uint8_t> frame) {
  if (!port_.IsOpen()) return false;
  port_.Write(frame);  // a failed write still counts as sent, like the main window's commands
  return true;
}

void FlyPID::servo_mid() {
  if (!SendFrame(link::ServoMidCommand())) return;
  if (show_msg_) {
    show_msg_(QStringLiteral("记录舵机中立位 命令已经发送！"));
    show_msg_(QStringLiteral("命令格式(HEX): A5 5A 04 F5 F9 AA"));
  }
  if (send_led_on_) send_led_on_();
}

void FlyPID::Send_readPID(std::uint8_t n) {
  if (SendFrame(link::ReadPidCommand(n)) && send_led_on_) send_led_on_();
}

void FlyPID::Send_seePID(std::uint8_t n) {
  if (SendFrame(link::SelectPidCommand(n)) && send_led_on_) send_led_on_();
}

void FlyPID::Send_writePID(std::uint8_t loop) {
  if (loop < 1 || loop > kLoops || !port_.IsOpen()) return;
  const LoopControls& c = Loop(loop);
  const auto p = link::PidGainFromText(c.p->text().toStdString());
  const auto i = link::PidGainFromText(c.i->text().toStdString());
  const auto d = link::PidGainFromText(c.d->text().toStdString());
  if (!p || !i || !d) {
    // An infinite gain would reach the flight controller as a real command; refuse the loop.
    if (show_msg_)
      show_msg_(QString::fromUtf8(kLoopNames[loop - 1]) + QStringLiteral(" 参数超出范围,未发送"));
    return;
  }
  if (SendFrame(link::WritePidCommand(loop, *p, *i, *d)) && send_led_on_) send_led_on_();
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
  for (std::size_t ch = 0; ch < in_bars_.size(); ++ch) {
    in_bars_[ch]->SetPosition(channels_.inch[ch]);
    in_values_[ch]->setText(Decimal(channels_.inch[ch]));
  }
  for (std::size_t ch = 0; ch < out_bars_.size(); ++ch) {
    out_bars_[ch]->SetPosition(channels_.outch[ch]);
    out_values_[ch]->setText(Decimal(channels_.outch[ch]));
  }
}

void FlyPID::Combo1_Click() {
  // Index -1 (nothing selected) selects "loop 0", as the board's tools always have.
  Send_seePID(static_cast<std::uint8_t>(Combo1->currentIndex() + 1));
}

void FlyPID::Combo1_Change() {
  // Typed text picks a loop only when it is one of the list's names.
  const int index = Combo1->findText(Combo1->currentText(), Qt::MatchExactly);
  Send_seePID(static_cast<std::uint8_t>(index + 1));
}

void FlyPID::ReadButton_Click(int loop) {
  Send_readPID(static_cast<std::uint8_t>(loop));
}

void FlyPID::WriteButton_Click(int loop) {
  Send_writePID(static_cast<std::uint8_t>(loop));
}

void FlyPID::Command12_Click() {
  if (!servo_dialog) servo_dialog = new servomid([this] { servo_mid(); }, this);
  servo_dialog->show();
  servo_dialog->raise();
  servo_dialog->activateWindow();
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
  connect(Combo1, &QComboBox::currentIndexChanged, this, &FlyPID::Combo1_Click);
  connect(Combo1->lineEdit(), &QLineEdit::textEdited, this, &FlyPID::Combo1_Change);
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
