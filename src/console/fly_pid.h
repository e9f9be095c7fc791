#pragma once
// FlyPID, the flight-control console: receiver inputs and motor/servo outputs as bars, GPS,
// navigation target and system status as text, the gains of the five control loops with read
// and write buttons, and a live plot of the loop selected for tracking.
//
// Contract:
//  - The controls are made by the constructor; the load step (EnsureLoaded) runs once in the
//    window's life, on the first show or on the first widget update by a decoder, whichever
//    comes first (after the close box the window is made anew and loads again). It sets the
//    fourteen channel values to 1500, selects the roll loop for tracking (which sends the
//    select frame if the port is open) and starts Timer1.
//  - The PWM frames go to the station's ConsoleChannels record and never load the window;
//    Timer1 copies that record onto the bars while the window is loaded.
//  - Every command goes through the station's command sender: the whole frame if the port is
//    open, then the TXD lamp; with the port closed nothing at all. Only servo_mid logs.
//  - The loop selector sends the select frame when the user picks a loop from its list (also
//    the same one again) or confirms an exactly typed loop name with Enter; typing alone
//    sends nothing.
//  - A loop's "写入" button stays disabled until that loop's gains have been read back.
//  - A gain box whose text is not a finite single-precision number blocks the write of its
//    loop: nothing is sent and the log says which loop was refused.
//
// Controls keep their window names and are public so Forms and the tests can reach them; the
// handlers are public for the same reason and are what the signals call.

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "link/reports.h"
#include "platform/timer.h"
#include "station/station.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvel::widgets {
class LedBar;
class RoundLed;
class WavePlot;
}  // namespace tarvel::widgets

namespace tarvel::console {

class servomid;

class FlyPID : public QWidget {
  Q_OBJECT

 public:
  // Number of control loops: 1 roll, 2 pitch, 3 yaw, 4 altitude, 5 angle balance.
  static constexpr int kLoops = 5;

  // `station` is what the windows share and outlives the console; `plot_clock` stamps the
  // tracking plot (empty: steady clock).
  explicit FlyPID(station::Station& station, std::function<double()> plot_clock = {},
                  QWidget* parent = nullptr);
  ~FlyPID() override;

  // The load step; only the first call does anything.
  void EnsureLoaded();
  bool loaded() const { return loaded_; }
  // The tracking flag Check1 sets; nothing else reads it.
  bool tracking() const { return tracking_; }

  // --- Commands to the board: silent while the port is closed.
  void servo_mid();                       // record the receiver values as servo neutral
  void Send_readPID(std::uint8_t n);      // ask for the gains of loop n
  void Send_seePID(std::uint8_t n);       // select loop n for the tracking samples
  void Send_writePID(std::uint8_t loop);  // the gains of `loop` from its three boxes

  // --- Decoded frames for the widgets; each loads the window first.
  void Decode_Track(const link::TrackReport& report);
  void Decode_PID(const link::PidReport& report);  // loops outside 1..5 are ignored
  void Decode_GPS(const link::GpsReport& report);
  void Decode_Target(const link::TargetReport& report);
  void Decode_Status(const link::StatusReport& report);
  // The receiver's heartbeat after a GPS, target or status frame.
  void ToggleGpsLed();
  void ToggleTargetLed();
  void ToggleStatusLed();

  // --- Handlers (called by signals; public so tests can drive them without waiting)
  void Timer1_Tick();                // bars and value labels from the channel record
  void Combo1_Click();               // a loop was picked (or its exact name confirmed)
  void ReadButton_Click(int loop);   // Command1, 4, 6, 9, 10
  void WriteButton_Click(int loop);  // Command2, 3, 5, 8, 11
  void Command12_Click();            // "记录中立值": asks for confirmation in servomid
  void Command7_Click();             // "跟踪最新"
  void Check1_Click();               // "跟踪PID"
  void Check2_Click();               // show or hide the control-output trace

  // --- Controls
  QGroupBox* Frame_in;                                                // "PWM输入"
  widgets::LedBar *input1, *input2;                                   // receiver CH1, CH2
  widgets::LedBar *iLedBarX1, *iLedBarX2;                             // receiver CH3, CH4
  widgets::LedBar *iLedBarX3, *iLedBarX4;                             // receiver CH5, CH6
  QLabel *Label1, *Label3, *Label5, *Label7, *Label9, *Label11;       // "CH1".."CH6"
  QLabel *Label2, *Label4, *Label6, *Label8, *Label10, *Label12;      // receiver pulse widths
  QPushButton* Command12;                                             // "记录中立值"
  QGroupBox* Frame_out;                                               // "PWM输出"
  widgets::LedBar *iLedBarX5, *iLedBarX6, *iLedBarX7, *iLedBarX8;     // outputs CH1..CH4
  widgets::LedBar *iLedBarX9, *iLedBarX10, *iLedBarX11, *iLedBarX12;  // outputs CH5..CH8
  QLabel *Label13, *Label15, *Label17, *Label19;                      // "CH1".."CH4"
  QLabel *Label21, *Label23, *Label25, *Label27;                      // "CH5".."CH8"
  QLabel *Label14, *Label16, *Label18, *Label20;  // output pulse widths CH1..CH4
  QLabel *Label22, *Label24, *Label26, *Label28;  // output pulse widths CH5..CH8

  std::array<QGroupBox*, kLoops> pid_frames{};  // "横滚PID" .. "角度平衡PID", loop 1..5
  QLineEdit *Text1, *Text2, *Text3;             // roll P, I, D
  QLineEdit *Text6, *Text5, *Text4;             // pitch P, I, D
  QLineEdit *Text9, *Text8, *Text7;             // yaw P, I, D
  QLineEdit *Text12, *Text11, *Text10;          // altitude P, I, D
  QLineEdit *Text13, *Text14, *Text15;          // angle balance P, I, D
  QPushButton *Command1, *Command2;             // roll "读取", "写入"
  QPushButton *Command4, *Command3;             // pitch "读取", "写入"
  QPushButton *Command6, *Command5;             // yaw "读取", "写入"
  QPushButton *Command9, *Command8;             // altitude "读取", "写入"
  QPushButton *Command10, *Command11;           // angle balance "读取", "写入"

  QComboBox* Combo1;           // loop to track (typing selects nothing by itself)
  QCheckBox* Check1;           // "跟踪PID"
  widgets::WavePlot* iPlotX1;  // tracking plot: 0 target, 1 current, 2 control output
  QCheckBox* Check2;           // show the control-output trace
  QPushButton* Command7;       // "跟踪最新": the plot follows the newest samples again
  QLabel* Label42;             // "目标值："
  QLabel* Label43;             // "当前值："
  QLabel* Label44;             // "控制量："

  QGroupBox* Frame_gps;            // "GPS位置"
  widgets::RoundLed* iLedRoundX1;  // toggles with every GPS frame
  QLabel* Label29;                 // longitude
  QLabel* Label48;                 // latitude
  QLabel* Label49;                 // altitude
  QLabel* Label50;                 // course
  QLabel* Label51;                 // ground speed
  QLabel* Label52;                 // satellites in use
  QGroupBox* Frame_target;         // "目标信息"
  widgets::RoundLed* iLedRoundX2;  // toggles with every target frame
  QLabel* Label53;                 // distance to the target
  QLabel* Label54;                 // Y control output
  QLabel* Label55;                 // X control output
  QLabel* Label56;                 // target altitude
  QLabel* Label57;                 // target latitude
  QLabel* Label58;                 // target longitude
  QGroupBox* Frame_status;         // "系统状态"
  widgets::RoundLed* iLedRoundX3;  // toggles with every status frame
  QLabel* Label59;                 // flight mode
  QLabel* Label60;                 // servo supply voltage
  QLabel* Label61;                 // main battery voltage
  QLabel* Label62;                 // error code
  QLabel* Label63;                 // time since power-on
  QLabel* Label64;                 // I2C error count

  servomid* servo_dialog = nullptr;  // servo-neutral confirmation, made on first use
  platform::Timer Timer1{20};        // PWM bars and labels, while loaded

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct LoopControls {
    QLineEdit *p, *i, *d;
    QPushButton *read, *write;
  };

  void BuildControls(std::function<double()> plot_clock);
  void ConnectSignals();
  const LoopControls& Loop(int loop) const { return loops_[loop - 1]; }

  station::Station& station_;
  std::array<LoopControls, kLoops> loops_{};
  // The bars and value labels Timer1 writes, in channel order.
  std::array<widgets::LedBar*, 6> in_bars_{};
  std::array<QLabel*, 6> in_values_{};
  std::array<widgets::LedBar*, 8> out_bars_{};
  std::array<QLabel*, 8> out_values_{};
  bool loaded_ = false;
  bool tracking_ = false;
};

}  // namespace tarvel::console
