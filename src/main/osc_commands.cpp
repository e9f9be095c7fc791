// The main window's commands to the board, its menus and its command buttons.

#include <QApplication>
#include <QMenuBar>
#include <QPushButton>

#include "link/commands.h"
#include "main/dialog2.h"
#include "main/osc.h"

namespace tarvel::main_window {
namespace {

// "A5 5A 04 E0 E4 AA"
QString HexText(std::span<const std::uint8_t> frame) {
  QString text;
  for (std::uint8_t b : frame) {
    if (!text.isEmpty()) text += ' ';
    text += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
  }
  return text;
}

}  // namespace

bool OSC::SendFrame(std::span<const std::uint8_t> frame) {
  if (!MSComm.IsOpen()) return false;
  MSComm.Write(frame);  // a failed write still counts as sent, as on the board's own tools
  return true;
}

void OSC::SendFixedCommand(std::span<const std::uint8_t> frame, const char* what) {
  if (!SendFrame(frame)) return;
  Show_msg(QString::fromUtf8(what) + QStringLiteral(" 命令已经发送！"));
  Show_msg(QStringLiteral("命令格式(HEX): ") + HexText(frame));
  Send_LedON();
}

void OSC::Send_gyro() {
  SendFixedCommand(link::GyroZeroCommand(), "陀螺标零偏");
}
void OSC::Send_hmc() {
  SendFixedCommand(link::MagSaveCommand(), "保存磁力标定数据");
}
void OSC::Send_high() {
  SendFixedCommand(link::AltitudeZeroCommand(), "气压高度标零");
}
void OSC::Send_hmc_begin() {
  SendFixedCommand(link::MagBeginCommand(), "开始磁标定");
}

void OSC::Command1_Click() {
  if (!dialog2) dialog2 = new Dialog2([this] { Send_gyro(); }, this);
  dialog2->show();
  dialog2->raise();
  dialog2->activateWindow();
}

void OSC::Command4_Click() {
  Send_high();
}

void OSC::Help_F_Click() {
  Show_msg(QStringLiteral("关于程序的通信协议，见压缩包的文件夹内或者发送邮件到作者的邮箱 ") +
           QLatin1String(kAuthorEmail) + QStringLiteral(" 免费索取"));
  Show_msg(QStringLiteral("二次开发请联系店主 ,") + QLatin1String(kShopAddress));
}

void OSC::About_P_Click() {
  Show_msg(QStringLiteral(" 本程序为Tarvel AHRS 专用，不对其他设备使用此软件产生的错误负责！"));
  Show_msg(QStringLiteral("二次开发请联系店主 ,") + QLatin1String(kShopAddress));
  if (show_about) show_about();
}

void OSC::ExitC_Click() {
  MSComm.Close();
  QApplication::quit();
}

void OSC::BuildMenus() {
  QMenu* operation = menuBar()->addMenu(QStringLiteral("文件操作"));
  com_set = operation->addAction(QStringLiteral("端口设置"));
  opencsv = operation->addAction(QStringLiteral("打开数据[回放]"));
  savecsv = operation->addAction(QStringLiteral("保存数据到文件[记录]"));
  QMenu* fly = menuBar()->addMenu(QStringLiteral("飞行控制器"));
  optical = fly->addAction(QStringLiteral("光流传感器"));
  flycn = fly->addAction(QStringLiteral("飞控监控和配置"));
  QMenu* p_about = menuBar()->addMenu(QStringLiteral("关于程序"));
  Help_F = p_about->addAction(QStringLiteral("帮助"));
  About_P = p_about->addAction(QStringLiteral("AHRS介绍"));
  abfly = p_about->addAction(QStringLiteral("关于Voranta飞控"));
  QMenu* exit_e = menuBar()->addMenu(QStringLiteral("退出"));
  ExitC = exit_e->addAction(QStringLiteral("退出"));

  // Windows that do not exist yet.
  for (QAction* later : {com_set, opencsv, savecsv, optical})
    later->setEnabled(false);
  for (QPushButton* later : {Command2, Command5, Command7})
    later->setEnabled(false);

  connect(flycn, &QAction::triggered, this, [this] {
    if (show_console) show_console();
  });
  connect(Help_F, &QAction::triggered, this, &OSC::Help_F_Click);
  connect(About_P, &QAction::triggered, this, &OSC::About_P_Click);
  connect(abfly, &QAction::triggered, this, [this] {
    if (show_flyabout) show_flyabout();
  });
  connect(ExitC, &QAction::triggered, this, &OSC::ExitC_Click);
  connect(Command1, &QPushButton::clicked, this, &OSC::Command1_Click);
  connect(Command4, &QPushButton::clicked, this, &OSC::Command4_Click);
}

}  // namespace tarvel::main_window
