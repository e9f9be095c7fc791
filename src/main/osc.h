#pragma once
// OSC, the main window: the live link (receive handler, decoders of the attitude and sensor
// frames), the read-outs and lamps, the message log, the connect switch with its status report,
// and the start-up and shutdown steps.
//
// Controls keep their window names and are public so the other windows and the tests can read
// them; the handlers are public for the same reason and are what the signals call.

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "link/reports.h"
#include "platform/serial_port.h"
#include "platform/timer.h"
#include "station/station.h"

class QCheckBox;
class QComboBox;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tarvel::widgets {
class DiamondLed;
class LabelInstrument;
class LedBar;
class Panel;
class RectLed;
class SwitchLed;
class Thermometer;
class Compass;
class WavePlot;
}  // namespace tarvel::widgets

namespace tarvel::views {
class AttitudeIndicatorView;
}

namespace tarvel::main_window {

class Dialog2;

class OSC : public QMainWindow {
  Q_OBJECT

 public:
  // The log keeps this many newest lines; older ones are dropped.
  static constexpr int kMaxLogLines = 5000;

  // Seconds on a monotonic scale, for stamping plot points; tests and benchmarks pass their own.
  using Clock = std::function<double()>;

  // `station` is what the windows share (it must outlive the window); `ini_path` is where
  // OSC.ini is read at start-up; `plot_clock` stamps the waveforms (empty: steady clock).
  OSC(station::Station& station, std::filesystem::path ini_path, Clock plot_clock = {},
      QWidget* parent = nullptr);
  ~OSC() override;

  // --- Message log and lamps
  void Show_msg(const QString& str);
  void Rec_LedON();
  void Send_LedON();

  // --- Commands to the board: silent while the port is closed.
  void Send_gyro();       // zero the gyroscope bias
  void Send_hmc();        // store the magnetometer calibration
  void Send_high();       // zero the barometric altitude
  void Send_hmc_begin();  // start the magnetometer calibration

  // Windows other windows own, opened by this window's menus (set by whoever owns them).
  std::function<void()> show_console;      // "飞控监控和配置"
  std::function<void()> show_about;        // "AHRS介绍"
  std::function<void()> show_flyabout;     // "关于Voranta飞控"
  std::function<void()> show_link_status;  // "链路状态"

  // --- Port
  // Closes the port if it is open, says so, arms the status report and resets the receiver.
  void ClosePort();
  // Drops a frame in progress and a half-seen header.
  void ResetReceiver() { station.session.ResetReceiver(); }

  station::Station& station;     // what the windows share
  platform::SerialPort& MSComm;  // the serial port

  // --- Handlers (called by signals; public so tests can drive them without waiting)
  void iSwitchLedX1_Switched();  // the connect switch was operated
  void Timer4_Tick();            // port status report
  void Timer_Getdata_Tick();     // deferred start-up
  void LED_Time_Tick();
  void Timer2_Tick();
  void Timer3_Tick();
  void Timer6_Tick();  // refresh watchdog
  void Timer1_Tick();  // attitude frames per second
  void display_time_Tick();
  void Command1_Click();        // "标零偏": asks for confirmation in Dialog2
  void Command3_Click();        // "Clear"
  void Command4_Click();        // "清零": altitude zero
  void Help_F_Click();          // "帮助"
  void About_P_Click();         // "AHRS介绍"
  void ExitC_Click();           // "退出"
  void Command6_Click();        // "跟随最新": the plot follows the newest points again
  void Check_Click(int group);  // Check1..Check4 (group 0..3): show or hide the group's curves

  // --- Instrument panel
  // Draws the artificial horizon for the roll and pitch texts.
  void DrawAttitudeIndicator(const QString& roll_text, const QString& pitch_text);
  // Appends one value to channel 0..11 of the waveform plot, stamped with the current time.
  void PlotAppend(int channel, double value);
  // The divisor the group's attenuation selector (0..3: Combo1..Combo4) stands for.
  double GroupDivisor(int group) const;

  // --- Receive path: the link session's reports for this window
  void Decode_IMU(const link::ImuReport& imu);
  void Decode_Motion(const link::MotionReport& motion);

  // --- State
  std::int16_t writewath = 0;  // record kind selected for recording (0: none)
  bool log_recording = false;
  std::string motion_csv_part;        // sensor values for the next combined record row
  std::array<float, 7> wave_scale{};  // plot attenuations 1..100
  std::int16_t msg_count = 0;         // Show_msg calls since start-up
  QString port_settings_text;         // line settings read back after the last successful open

  // --- Controls
  QAction *com_set, *opencsv, *savecsv;    // "文件操作": port settings, playback, recording
  QAction *optical, *flycn;                // "飞行控制器": optical flow, console
  QAction* link_status;                    // "文件操作": link health
  QAction *Help_F, *About_P, *abfly;       // "关于程序"
  QAction* ExitC;                          // "退出"
  QPushButton* Command1;                   // "标零偏" (gyroscope frame)
  QPushButton* Command2;                   // "磁标定" (magnetometer frame)
  QPushButton* Command4;                   // "清零" (barometer frame)
  QPushButton* Command5;                   // "3D显示"
  QPushButton* Command7;                   // "配置" (scaled read-outs frame)
  Dialog2* dialog2 = nullptr;              // gyroscope-zero confirmation, made on first use
  QWidget* Fram_OSC;                       // upper panel "AHRS数据 显示面板"
  QGroupBox* Frame6;                       // "姿态解算 IMU"
  QLabel* Label19;                         // heading "航向:"
  QLabel* Label20;                         // pitch "俯仰:"
  QLabel* Label21;                         // roll "横滚:"
  QLabel* Label5;                          // roll of the newest attitude frame "Roll:"
  QLabel* Label6;                          // pitch of the newest attitude frame "Pitch:"
  widgets::LedBar* iLedBarX1;              // altitude bar
  QLabel* Label3;                          // altitude under the bar
  widgets::Thermometer* iThermometerX1;    // board temperature
  widgets::LabelInstrument* iLabelX1;      // temperature read-out
  QLabel* Label16;                         // "高度:"
  QLabel* Label17;                         // "温度:"
  QLabel* Label18;                         // "气压:"
  QLabel* Label24;                         // "姿态解算:" solutions per second
  widgets::RectLed* iLedRectangleX3;       // heartbeat: toggles with every attitude frame
  QLabel *Label7, *Label8, *Label9;        // raw accelerometer
  QLabel *Label10, *Label11, *Label12;     // raw gyroscope
  QLabel *Label13, *Label14, *Label15;     // raw magnetometer
  QGroupBox* Frame7;                       // "重力和角速度"
  QLabel *Label29, *Label30, *Label31;     // acceleration in g
  QLabel *Label32, *Label33, *Label34;     // rotation rate in dps
  QLabel* Label26;                         // "上传帧率:"
  QLabel* Label22;                         // attitude frames per second
  QLabel* Label4;                          // upload-rate hint
  views::AttitudeIndicatorView* Piczitai;  // artificial horizon
  widgets::Compass* iCompassX1;            // heading
  widgets::WavePlot* iPlotX1;              // the twelve waveforms
  QPushButton* Command6;                   // "跟随最新"
  QPushButton* plot_print_button;          // print preview of the plot
  QComboBox *Combo1, *Combo2, *Combo3, *Combo4;  // attenuation of the attitude, accelerometer,
                                                 // gyroscope and magnetometer curves
  QCheckBox *Check1, *Check2, *Check3, *Check4;  // show those groups' curves

  widgets::Panel* iPanelX1;           // lower panel "信息显示"
  QPlainTextEdit* Text_msg;           // the message log
  QPushButton* Command3;              // "Clear"
  widgets::DiamondLed* Msg_Led;       // lit while messages are being written
  QGroupBox* Frame1;                  // "串口状态"
  widgets::RectLed* iLedRectangleX1;  // RXD
  widgets::RectLed* iLedRectangleX2;  // TXD
  widgets::SwitchLed* iSwitchLedX1;   // connect switch with its LED
  QLabel* Label1;                     // playback time

  platform::Timer Timer_Getdata{200};  // one tick: deferred start-up
  platform::Timer display_time{40};    // instrument refresh
  platform::Timer Timer6{200};         // refresh watchdog
  platform::Timer Timer1{1000};        // frame-rate read-out
  platform::Timer Timer4{200};         // port status report
  platform::Timer LED_Time{400};       // message lamp off
  platform::Timer Timer2{300};         // RXD off
  platform::Timer Timer3{200};         // TXD off

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls(Clock plot_clock);
  void BuildMenus();
  void ConnectSignals();
  void ConnectSession();
  void startup_init();
  void EndProgram();  // closing this window or "退出": the whole program ends
  void OnFrameReceived();
  void OnChecksumError();
  void OnHeaderMissing();
  void OnOverflow();
  void OnDeviceLost(const QString& reason);
  void ArmStatusReport();
  QString PortDisplayName() const;

  std::filesystem::path ini_path_;
  std::array<QLabel*, 9> raw_labels_{};       // Label7..Label15 in payload order
  std::array<QComboBox*, 4> group_combos_{};  // Combo1..Combo4
  std::array<QCheckBox*, 4> group_checks_{};  // Check1..Check4
};

}  // namespace tarvel::main_window
