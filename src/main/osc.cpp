#include "main/osc.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "settings/ini_file.h"
#include "settings/startup_settings.h"
#include "station/maker_addresses.h"
#include "views/attitude_indicator.h"
#include "views/attitude_indicator_view.h"
#include "widgets/compass.h"
#include "widgets/diamond_led.h"
#include "widgets/label_instrument.h"
#include "widgets/led_bar.h"
#include "widgets/number_texts.h"
#include "widgets/rect_led.h"
#include "widgets/switch_led.h"
#include "widgets/thermometer.h"
#include "widgets/wave_plot.h"

namespace tarvel::main_window {
namespace {

using widgets::Decimal;
using widgets::Fixed;

// A scaled read-out: prefix, value "0.000" and unit; "--" when the resolution is 0, so a stored
// zero resolution never divides.
QString Scaled(const char* prefix, double raw, double resolution, const char* unit) {
  const QString value = resolution != 0 ? Fixed(raw / resolution, 3) : QStringLiteral("--");
  return QLatin1String(prefix) + value + QLatin1String(unit);
}

}  // namespace

OSC::OSC(station::Station& shared, std::filesystem::path ini_path, Clock plot_clock,
         QWidget* parent)
    : QMainWindow(parent), station(shared), MSComm(shared.port), ini_path_(std::move(ini_path)) {
  BuildControls(std::move(plot_clock));
  ConnectSignals();
  ConnectSession();
  // Creation presets; the rest waits for startup_init once the window is up.
  station.resolutions = {settings::kDefaultAccResolution, settings::kDefaultGyroResolution};
  writewath = 0;
  log_recording = false;
  Timer6.SetEnabled(true);  // fires once at start-up and leaves the refresh idle
  Timer_Getdata.SetEnabled(true);
}

OSC::~OSC() = default;

void OSC::ConnectSignals() {
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

void OSC::ConnectSession() {
  station::LinkSession* session = &station.session;
  connect(session, &station::LinkSession::bytesArriving, this, [this] {
    // Re-armed by every delivery: 200 ms after the last one the refresh stops.
    Timer6.SetEnabled(true);
    Timer6.SetInterval(200);
  });
  connect(session, &station::LinkSession::frameReceived, this, &OSC::OnFrameReceived);
  connect(session, &station::LinkSession::imuFrame, this, &OSC::Decode_IMU);
  connect(session, &station::LinkSession::motionFrame, this, &OSC::Decode_Motion);
  connect(session, &station::LinkSession::checksumError, this, &OSC::OnChecksumError);
  connect(session, &station::LinkSession::headerMissing, this, &OSC::OnHeaderMissing);
  connect(session, &station::LinkSession::overflowed, this, &OSC::OnOverflow);
  connect(session, &station::LinkSession::deviceLost, this, &OSC::OnDeviceLost);
  connect(session, &station::LinkSession::portClosed, this, &OSC::ArmStatusReport);
  connect(&station.sender, &station::CommandSender::message, this, &OSC::Show_msg);
  connect(&station.sender, &station::CommandSender::sent, this, &OSC::Send_LedON);
}

void OSC::OnFrameReceived() {
  Rec_LedON();
  if (!display_time.Enabled()) display_time.SetEnabled(true);
}

void OSC::OnOverflow() {
  Show_msg(QStringLiteral("缓冲区 溢出!"));
}

void OSC::OnDeviceLost(const QString& reason) {
  // The port is already closed; the session's close path follows and arms the status report,
  // which then shows the closed port.
  Show_msg(QStringLiteral("串口设备 %1 已断开 (%2),端口已关闭").arg(PortDisplayName(), reason));
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

// The telemetry record has been filled by the station before these run.
void OSC::Decode_IMU(const link::ImuReport& imu) {
  const QString altitude = Fixed(imu.altitude, 1);
  iLedBarX1->SetPosition(imu.altitude);
  Label3->setText(altitude + QStringLiteral("m"));
  Label16->setText(QStringLiteral("高度:") + altitude + QStringLiteral("m"));
  const QString temperature = Fixed(imu.temperature, 1);
  iThermometerX1->SetPosition(imu.temperature);
  Label17->setText(QStringLiteral("温度:") + temperature + QStringLiteral("度"));
  iLabelX1->SetCaption(temperature + QStringLiteral("C"));
  Label18->setText(QStringLiteral("气压:") + QString::number(imu.pressure_pa()) +
                   QStringLiteral("Pa"));
  Label24->setText(QStringLiteral("姿态解算:") + QString::number(imu.solution_rate) +
                   QStringLiteral(" 次每秒"));
  iLedRectangleX3->Toggle();
  Label5->setText(QStringLiteral("Roll:") + Fixed(imu.roll, 1));
  Label6->setText(QStringLiteral("Pitch:") + Fixed(imu.pitch, 1));
}

void OSC::Decode_Motion(const link::MotionReport& motion) {
  static constexpr std::array<const char*, 9> kPrefix = {
      " AX:", " AY:", " AZ:", " GX:", " GY:", " GZ:", " MX:", " MY:", " MZ:"};
  const std::array<int, 9> values = {motion.acc_x,  motion.acc_y,  motion.acc_z,
                                     motion.gyro_x, motion.gyro_y, motion.gyro_z,
                                     motion.mag_x,  motion.mag_y,  motion.mag_z};
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
  station::TelemetryState& t = station.telemetry;
  station::Big3DFields& big3D = station.big3D;
  if (t.imu_new) {
    t.imu_new = false;
    DrawAttitudeIndicator(Decimal(-t.roll), Decimal(t.pitch));
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
  if (t.motion_new) {
    t.motion_new = false;
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
    const station::Resolutions& res = station.resolutions;
    Label29->setText(Scaled("AX: ", t.acc_x, res.ACC_Resolution, " g"));
    Label30->setText(Scaled("AY: ", t.acc_y, res.ACC_Resolution, " g"));
    Label31->setText(Scaled("AZ: ", t.acc_z, res.ACC_Resolution, " g"));
    Label32->setText(Scaled("GX: ", t.gyro_x, res.GYRO_Resolution, " dps"));
    Label33->setText(Scaled("GY: ", t.gyro_y, res.GYRO_Resolution, " dps"));
    Label34->setText(Scaled("GZ: ", t.gyro_z, res.GYRO_Resolution, " dps"));
  }
}

void OSC::Timer6_Tick() {
  display_time.SetEnabled(false);
  Timer6.SetEnabled(false);
}

void OSC::Timer1_Tick() {
  station::TelemetryState& t = station.telemetry;
  Label22->setText(QString::number(t.imu_frame_count) + QStringLiteral(" 帧每秒"));
  t.imu_frame_count = 0;
}

// ---------------------------------------------------------------- port connection

QString OSC::PortDisplayName() const {
  return QString::fromStdString(MSComm.port().DisplayName());
}

void OSC::iSwitchLedX1_Switched() {
  if (!MSComm.IsOpen()) {
    MSComm.Open();  // a missing or busy port stays closed; the status report tells
    Show_msg(QStringLiteral("正在打开端口 ..."));
    station.session.port_open_requested = true;
    Label1->hide();
    ArmStatusReport();
    ResetReceiver();
  } else {
    Show_msg(QStringLiteral("断开连接 ..."));
    station.session.ClosePort();
  }
}

void OSC::ArmStatusReport() {
  Timer4.SetInterval(200);
  Timer4.SetEnabled(true);
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
    if (station.session.port_open_requested) {
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
  station.session.ClosePort();
}

// ---------------------------------------------------------------- start-up and shutdown

void OSC::Timer_Getdata_Tick() {
  startup_init();
  Timer_Getdata.SetEnabled(false);
}

void OSC::startup_init() {
  motion_csv_part = "0,0,0,0,0,0,0,0,0";
  station.session.ResetHeaderWatchdog();
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
  station.resolutions = {stored.acc_resolution, stored.gyro_resolution};
  station.session.port_open_requested = false;
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
  Show_msg(QStringLiteral("--") + QLatin1String(station::kShopAddress) + QStringLiteral("--"));
  Show_msg(QStringLiteral("最新版本的软件 到") + QLatin1String(station::kSiteHost) +
           QStringLiteral(" 下载"));
  for (const std::string& line : stored.ignored)
    Show_msg(QString::fromStdString(line));
}

// Closing the main window ends the program, whatever other windows are open.
void OSC::closeEvent(QCloseEvent* event) {
  MSComm.Close();
  event->accept();
  EndProgram();
}

void OSC::EndProgram() {
  // Queued, so the close in progress finishes before the application closes its windows.
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                            Qt::QueuedConnection);
}

}  // namespace tarvel::main_window
