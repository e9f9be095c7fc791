#include "main/osc.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <type_traits>
#include <variant>

#include "console/fly_pid.h"
#include "format/number_text.h"
#include "link/decoders.h"
#include "link/frame_types.h"
#include "settings/ini_file.h"
#include "settings/startup_settings.h"
#include "views/attitude_indicator.h"
#include "views/attitude_indicator_view.h"
#include "widgets/compass.h"
#include "widgets/diamond_led.h"
#include "widgets/label_instrument.h"
#include "widgets/led_bar.h"
#include "widgets/rect_led.h"
#include "widgets/switch_led.h"
#include "widgets/thermometer.h"
#include "widgets/wave_plot.h"

namespace tarvel::main_window {
namespace {

QString Fixed(double value, int decimals) {
  return QString::fromStdString(format::FormatFixed(value, decimals));
}

QString Decimal(double value) {
  return QString::fromStdString(format::DecimalText(value));
}

// A scaled read-out: prefix, value "0.000" and unit; "--" when the resolution is 0, so a stored
// zero resolution never divides.
QString Scaled(const char* prefix, double raw, double resolution, const char* unit) {
  const QString value = resolution != 0 ? Fixed(raw / resolution, 3) : QStringLiteral("--");
  return QLatin1String(prefix) + value + QLatin1String(unit);
}

}  // namespace

OSC::OSC(platform::SerialPort& port, std::filesystem::path ini_path, Clock plot_clock,
         QWidget* parent)
    : QMainWindow(parent), MSComm(port), ini_path_(std::move(ini_path)) {
  BuildControls(std::move(plot_clock));
  ConnectSignals();
  // Creation presets; the rest waits for startup_init once the window is up.
  ACC_Resolution = settings::kDefaultAccResolution;
  GYRO_Resolution = settings::kDefaultGyroResolution;
  writewath = 0;
  log_recording = false;
  Timer6.SetEnabled(true);  // fires once at start-up and leaves the refresh idle
  Timer_Getdata.SetEnabled(true);
}

OSC::~OSC() = default;

void OSC::ConnectSignals() {
  connect(&MSComm, &platform::SerialPort::bytesReceived, this, &OSC::MSComm_OnReceive);
  connect(&MSComm, &platform::SerialPort::overflow, this, &OSC::MSComm_OnOverflow);
  connect(&MSComm, &platform::SerialPort::deviceLost, this, &OSC::MSComm_OnDeviceLost);
  connect(iSwitchLedX1, &widgets::SwitchLed::Switched, this, &OSC::iSwitchLedX1_Switched);
  connect(Command3, &QPushButton::clicked, this, &OSC::Command3_Click);
  connect(Command6, &QPushButton::clicked, this, &OSC::Command6_Click);
  connect(plot_print_button, &QPushButton::clicked, iPlotX1, &widgets::WavePlot::ShowPrintPreview);
  for (int g = 0; g < 4; ++g) {
    connect(group_checks_[g], &QCheckBox::clicked, this, [this, g] { Check_Click(g); });
  }
  connect(&Timer_Getdata, &platform::Timer::tick, this, &OSC::Timer_Getdata_Tick);
  connect(&display_time, &platform::Timer::tick, this, &OSC::display_time_Tick);
  connect(&Timer6, &platform::Timer::tick, this, &OSC::Timer6_Tick);
  connect(&Timer1, &platform::Timer::tick, this, &OSC::Timer1_Tick);
  connect(&Timer4, &platform::Timer::tick, this, &OSC::Timer4_Tick);
  connect(&LED_Time, &platform::Timer::tick, this, &OSC::LED_Time_Tick);
  connect(&Timer2, &platform::Timer::tick, this, &OSC::Timer2_Tick);
  connect(&Timer3, &platform::Timer::tick, this, &OSC::Timer3_Tick);
}

// ---------------------------------------------------------------- message log and lamps

void OSC::Show_msg(const QString& str) {
  msg_count = static_cast<std::int16_t>(msg_count + 1);
  // Appending keeps the cost of a line constant however long the run; the box drops its oldest
  // lines beyond kMaxLogLines.
  if (Text_msg->document()->isEmpty()) {
    Text_msg->setPlainText(QString::number(msg_count) + QStringLiteral(":  ") + str);
  } else {
    Text_msg->appendPlainText(QStringLiteral(">  ") + str);
  }
  Text_msg->moveCursor(QTextCursor::End);
  Msg_Led->SetActive(true);
  LED_Time.SetInterval(400);
  LED_Time.SetEnabled(true);
}

void OSC::Command3_Click() {
  Text_msg->setPlainText(QStringLiteral("Clear...."));
}

void OSC::LED_Time_Tick() {
  LED_Time.SetEnabled(false);
  Msg_Led->SetActive(false);
}

void OSC::Rec_LedON() {
  iLedRectangleX1->SetActive(true);
  Timer2.SetInterval(300);
  Timer2.SetEnabled(true);
}

void OSC::Timer2_Tick() {
  Timer2.SetEnabled(false);
  iLedRectangleX1->SetActive(false);
}

void OSC::Send_LedON() {
  iLedRectangleX2->SetActive(true);
  Timer3.SetInterval(200);
  Timer3.SetEnabled(true);
}

void OSC::Timer3_Tick() {
  iLedRectangleX2->SetActive(false);
  Timer3.SetEnabled(false);
}

// ---------------------------------------------------------------- receive path

void OSC::MSComm_OnReceive(const QByteArray& bytes) {
  if (in_receive_) {  // a handler below ran the event loop: keep the order, handle them after
    pending_bytes_.append(bytes);
    return;
  }
  in_receive_ = true;
  Timer6.SetEnabled(true);
  Timer6.SetInterval(200);
  receiver_.Feed({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size())});
  while (!pending_bytes_.isEmpty()) {
    const QByteArray more = std::exchange(pending_bytes_, QByteArray());
    receiver_.Feed({reinterpret_cast<const std::uint8_t*>(more.constData()),
                    static_cast<std::size_t>(more.size())});
  }
  in_receive_ = false;
}

void OSC::MSComm_OnOverflow() {
  MSComm.DiscardBuffers();
  Show_msg(QStringLiteral("缓冲区 溢出!"));
}

void OSC::MSComm_OnDeviceLost(const QString& reason) {
  // The port is already closed. The status report that follows shows the closed port.
  Show_msg(QStringLiteral("串口设备 %1 已断开 (%2),端口已关闭").arg(PortDisplayName(), reason));
  port_open_requested = false;
  Timer4.SetEnabled(true);
  Timer4.SetInterval(200);
  ResetReceiver();
}

void OSC::OnGoodFrame(link::FrameView frame) {
  Rec_LedON();
  if (!display_time.Enabled()) display_time.SetEnabled(true);
  switch (frame.type()) {
    case link::kTypeImu:
      Decode_IMU(frame);
      telemetry.imu_new = true;
      break;
    case link::kTypeMotion:
      Decode_Motion(frame);
      telemetry.motion_new = true;
      break;
    default: DecodeForConsole(frame); break;
  }
}

// The flight-controller frames: the PWM channels only go into the record the console shows on
// its tick; every other frame updates the console's widgets, which loads the console (hidden)
// the first time. A frame shorter than its layout is ignored, the LED toggles still happen.
void OSC::DecodeForConsole(link::FrameView frame) {
  const link::Report report = link::DecodeFrame(frame);
  if (const auto* r = std::get_if<link::PwmInReport>(&report)) {
    console::StorePwmIn(console_channels, *r);
    return;
  }
  if (const auto* r = std::get_if<link::PwmOutReport>(&report)) {
    console::StorePwmOut(console_channels, *r);
    return;
  }
  const std::uint8_t type = frame.type();
  const bool console_frame = type == link::kTypeTrack || type == link::kTypeGps ||
                             type == link::kTypeTarget || type == link::kTypeStatus ||
                             (type > link::kTypePidBase && type <= link::kTypePidBase + 5);
  if (!console_frame || !console) return;  // other TYPEs are not the console's business
  console::FlyPID& fly = console();
  std::visit(
      [&fly](const auto& r) {
        using R = std::decay_t<decltype(r)>;
        if constexpr (std::is_same_v<R, link::TrackReport>) fly.Decode_Track(r);
        if constexpr (std::is_same_v<R, link::PidReport>) fly.Decode_PID(r);
        if constexpr (std::is_same_v<R, link::GpsReport>) fly.Decode_GPS(r);
        if constexpr (std::is_same_v<R, link::TargetReport>) fly.Decode_Target(r);
        if constexpr (std::is_same_v<R, link::StatusReport>) fly.Decode_Status(r);
      },
      report);
  switch (type) {
    case link::kTypeGps: fly.ToggleGpsLed(); break;
    case link::kTypeTarget: fly.ToggleTargetLed(); break;
    case link::kTypeStatus: fly.ToggleStatusLed(); break;
    default: break;
  }
}

void OSC::OnChecksumError() {
  Show_msg(QStringLiteral("校验失败,数据包中存在误码字节,请检查连接线或更换转接器."));
}

void OSC::OnHeaderMissing() {
  Show_msg(QStringLiteral("接收到的数据中,没有找到帧头 A5 5A .可能原因:"));
  Show_msg(QStringLiteral("1. 数据没有按协议发送,相关的协议说明，见本软件的压缩包内"));
  Show_msg(QStringLiteral("2. 选择错误的端口 或者错误的波特率"));
  Show_msg(QStringLiteral("3. 数据转换电路异常,不能可靠传送数据"));
}

void OSC::Decode_IMU(link::FrameView frame) {
  const auto imu = link::DecodeImu(frame.payload());
  if (!imu) return;  // shorter than its layout
  telemetry.StoreImu(*imu);
  const QString altitude = Fixed(imu->altitude, 1);
  iLedBarX1->SetPosition(imu->altitude);
  Label3->setText(altitude + QStringLiteral("m"));
  Label16->setText(QStringLiteral("高度:") + altitude + QStringLiteral("m"));
  const QString temperature = Fixed(imu->temperature, 1);
  iThermometerX1->SetPosition(imu->temperature);
  Label17->setText(QStringLiteral("温度:") + temperature + QStringLiteral("度"));
  iLabelX1->SetCaption(temperature + QStringLiteral("C"));
  Label18->setText(QStringLiteral("气压:") + QString::number(imu->pressure_pa()) +
                   QStringLiteral("Pa"));
  Label24->setText(QStringLiteral("姿态解算:") + QString::number(imu->solution_rate) +
                   QStringLiteral(" 次每秒"));
  iLedRectangleX3->Toggle();
  Label5->setText(QStringLiteral("Roll:") + Fixed(imu->roll, 1));
  Label6->setText(QStringLiteral("Pitch:") + Fixed(imu->pitch, 1));
}

void OSC::Decode_Motion(link::FrameView frame) {
  const auto motion = link::DecodeMotion(frame.payload());
  if (!motion) return;
  telemetry.StoreMotion(*motion);
  static constexpr std::array<const char*, 9> kPrefix = {
      " AX:", " AY:", " AZ:", " GX:", " GY:", " GZ:", " MX:", " MY:", " MZ:"};
  const std::array<int, 9> values = {motion->acc_x,  motion->acc_y,  motion->acc_z,
                                     motion->gyro_x, motion->gyro_y, motion->gyro_z,
                                     motion->mag_x,  motion->mag_y,  motion->mag_z};
  std::string csv;
  for (std::size_t i = 0; i < values.size(); ++i) {
    raw_labels_[i]->setText(QLatin1String(kPrefix[i]) + QString::number(values[i]));
    if (i > 0) csv += ',';
    csv += std::to_string(values[i]);
  }
  if (writewath == 3) motion_csv_part = std::move(csv);
}

// ---------------------------------------------------------------- refresh timers

void OSC::DrawAttitudeIndicator(const QString& roll_text, const QString& pitch_text) {
  Piczitai->SetImage(views::DrawAttitudeIndicator(roll_text.toStdString(), pitch_text.toStdString(),
                                                  views::kPiczitaiSize));
}

void OSC::PlotAppend(int channel, double value) {
  iPlotX1->Append(channel, value);
}

double OSC::GroupDivisor(int group) const {
  const int index = group_combos_[group]->currentIndex();
  return index >= 0 && index < static_cast<int>(wave_scale.size()) && wave_scale[index] != 0
             ? wave_scale[index]
             : 1.0;
}

void OSC::Command6_Click() {
  iPlotX1->FollowNewest();
}

void OSC::Check_Click(int group) {
  const bool visible = group_checks_[group]->isChecked();
  for (int channel = group * 3; channel < group * 3 + 3; ++channel) {
    iPlotX1->SetChannelVisible(channel, visible);
  }
}

void OSC::display_time_Tick() {
  const link::TelemetryState& t = telemetry;
  if (telemetry.imu_new) {
    telemetry.imu_new = false;
    DrawAttitudeIndicator(QString::fromStdString(format::DecimalText(-t.roll)),
                          QString::fromStdString(format::DecimalText(t.pitch)));
    iCompassX1->SetHeading(t.yaw);
    PlotAppend(1, t.roll / GroupDivisor(0));
    PlotAppend(2, t.pitch / GroupDivisor(0));
    PlotAppend(0, t.yaw / GroupDivisor(0));
    Label19->setText(QStringLiteral("航向:") + Fixed(t.yaw, 1));
    Label20->setText(QStringLiteral("俯仰:") + Fixed(t.pitch, 1));
    Label21->setText(QStringLiteral("横滚:") + Fixed(t.roll, 1));
    big3D.Pitch = t.pitch;
    big3D.Roll = -t.roll;
    big3D.Yaw = t.yaw;
    big3D.str_pitch = Fixed(t.pitch, 1);
    big3D.str_roll = Fixed(t.roll, 1);
    big3D.str_yaw = Fixed(t.yaw, 1);
  }
  if (telemetry.motion_new) {
    telemetry.motion_new = false;
    const std::array<double, 9> raw = {t.acc_x,  t.acc_y, t.acc_z, t.gyro_x, t.gyro_y,
                                       t.gyro_z, t.mag_x, t.mag_y, t.mag_z};
    for (int channel = 3; channel < 12; ++channel) {
      PlotAppend(channel, raw[channel - 3] / GroupDivisor(channel / 3));
    }
    QString* texts[] = {&big3D.str_Xjiasudu,  &big3D.str_Yjiasudu,  &big3D.str_Zjiasudu,
                        &big3D.str_Xjiaosulv, &big3D.str_Yjiaosulv, &big3D.str_Zjiaosulv,
                        &big3D.str_Xcichang,  &big3D.str_Ycichang,  &big3D.str_Zcichang};
    for (int i = 0; i < 9; ++i)
      *texts[i] = Decimal(raw[i]);
    Label29->setText(Scaled("AX: ", t.acc_x, ACC_Resolution, " g"));
    Label30->setText(Scaled("AY: ", t.acc_y, ACC_Resolution, " g"));
    Label31->setText(Scaled("AZ: ", t.acc_z, ACC_Resolution, " g"));
    Label32->setText(Scaled("GX: ", t.gyro_x, GYRO_Resolution, " dps"));
    Label33->setText(Scaled("GY: ", t.gyro_y, GYRO_Resolution, " dps"));
    Label34->setText(Scaled("GZ: ", t.gyro_z, GYRO_Resolution, " dps"));
  }
}

void OSC::Timer6_Tick() {
  display_time.SetEnabled(false);
  Timer6.SetEnabled(false);
}

void OSC::Timer1_Tick() {
  Label22->setText(QString::number(telemetry.imu_frame_count) + QStringLiteral(" 帧每秒"));
  telemetry.imu_frame_count = 0;
}

// ---------------------------------------------------------------- port connection

QString OSC::PortDisplayName() const {
  return QString::fromStdString(MSComm.port().DisplayName());
}

void OSC::iSwitchLedX1_Switched() {
  if (!MSComm.IsOpen()) {
    MSComm.Open();  // a missing or busy port stays closed; the status report tells
    Show_msg(QStringLiteral("正在打开端口 ..."));
    port_open_requested = true;
    Label1->hide();
  } else {
    Show_msg(QStringLiteral("断开连接 ..."));
    MSComm.Close();
    port_open_requested = false;
  }
  Timer4.SetInterval(200);
  Timer4.SetEnabled(true);
  ResetReceiver();
}

void OSC::Timer4_Tick() {
  const QString name = PortDisplayName();
  if (MSComm.IsOpen()) {
    iSwitchLedX1->SetCaption(QStringLiteral("端口已打开"));
    port_settings_text = MSComm.SettingsText();
    Show_msg(name + QStringLiteral("--") + port_settings_text);
    Show_msg(QStringLiteral("端口打开成功 ..."));
    iSwitchLedX1->SetLedActive(true);
  } else {
    iSwitchLedX1->SetCaption(QStringLiteral("端口已关闭"));
    if (port_open_requested) {
      Show_msg(QStringLiteral("端口打开失败 ...可能原因:"));
      Show_msg(QStringLiteral("1. ") + name + QStringLiteral(" 不存在"));
      Show_msg(QStringLiteral("2. ") + name + QStringLiteral(" 已被其他的程序占用"));
    } else {
      Show_msg(QStringLiteral("已关闭 ") + name + QStringLiteral(" 端口"));
    }
    iSwitchLedX1->SetLedActive(false);
  }
  Timer4.SetEnabled(false);
}

void OSC::ClosePort() {
  if (!MSComm.IsOpen()) return;
  Show_msg(QStringLiteral("断开连接 ..."));
  MSComm.Close();
  port_open_requested = false;
  Timer4.SetEnabled(true);
  Timer4.SetInterval(200);
  ResetReceiver();
}

// ---------------------------------------------------------------- start-up and shutdown

void OSC::Timer_Getdata_Tick() {
  startup_init();
  Timer_Getdata.SetEnabled(false);
}

void OSC::startup_init() {
  motion_csv_part = "0,0,0,0,0,0,0,0,0";
  receiver_.ResetHeaderWatchdog();
  MSComm.DiscardBuffers();
  Timer1.SetEnabled(true);
  Combo1->setCurrentIndex(0);  // "1"
  Combo2->setCurrentIndex(6);  // "1/100"
  Combo3->setCurrentIndex(6);  // "1/100"
  Combo4->setCurrentIndex(2);  // "1/5"
  wave_scale = {1, 2, 5, 10, 20, 50, 100};
  Text_msg->clear();
  msg_count = 0;
  const settings::StartupSettings stored =
      settings::ResolveStartupSettings([this](std::string_view key) {
        return settings::ReadIniValue(settings::kIniSection, key, ini_path_);
      });
  MSComm.SetPort(stored.port);
  MSComm.SetLineSettings(stored.line_settings.Text());
  ACC_Resolution = stored.acc_resolution;
  GYRO_Resolution = stored.gyro_resolution;
  port_open_requested = false;
  DrawAttitudeIndicator(QStringLiteral("0"), QStringLiteral("0"));
  const QString zero = Fixed(0, 1);
  Label29->setText(QStringLiteral("AX: ") + zero + QStringLiteral(" g"));
  Label30->setText(QStringLiteral("AY: ") + zero + QStringLiteral(" g"));
  Label31->setText(QStringLiteral("AZ: ") + zero + QStringLiteral(" g"));
  Label32->setText(QStringLiteral("GX: ") + zero + QStringLiteral(" dps"));
  Label33->setText(QStringLiteral("GY: ") + zero + QStringLiteral(" dps"));
  Label34->setText(QStringLiteral("GZ: ") + zero + QStringLiteral(" dps"));

  Show_msg(QStringLiteral("AHRS Voranta Flight V2.8 启动成功!"));
  Show_msg(QStringLiteral("--------    开始    --------"));
  Show_msg(QStringLiteral("--1. 检查串口设备是否正确 --"));
  Show_msg(QStringLiteral("--2. 点击 打开端口按钮接收数据"));
  Show_msg(QStringLiteral("--") + QLatin1String(kShopAddress) + QStringLiteral("--"));
  Show_msg(QStringLiteral("最新版本的软件 到") + QLatin1String(kSiteHost) +
           QStringLiteral(" 下载"));
  for (const std::string& line : stored.ignored)
    Show_msg(QString::fromStdString(line));
}

void OSC::closeEvent(QCloseEvent* event) {
  MSComm.Close();
  event->accept();
}

}  // namespace tarvel::main_window
