// The main window's commands to the board, its menus and its command buttons.

#include <QMenuBar>
#include <QPushButton>

#include "link/commands.h"
#include "main/dialog2.h"
#include "main/osc.h"
#include "station/maker_addresses.h"
#include "widgets/show_window.h"

namespace tarvel::main_window {

void OSC::Send_gyro() {
  station.sender.SendLogged(link::GyroZeroCommand(), QStringLiteral("陀螺标零偏"));
}
void OSC::Send_hmc() {
  station.sender.SendLogged(link::MagSaveCommand(), QStringLiteral("保存磁力标定数据"));
}
void OSC::Send_high() {
  station.sender.SendLogged(link::AltitudeZeroCommand(), QStringLiteral("气压高度标零"));
}
void OSC::Send_hmc_begin() {
  station.sender.SendLogged(link::MagBeginCommand(), QStringLiteral("开始磁标定"));
}

void OSC::Command1_Click() {
  if (!dialog2) dialog2 = new Dialog2([this] { Send_gyro(); }, this);
  widgets::ShowWindow(*dialog2);
}

void OSC::Command4_Click() {
  Send_high();
}

void OSC::Help_F_Click() {
  Show_msg(QStringLiteral("关于程序的通信协议，见压缩包的文件夹内或者发送邮件到作者的邮箱 ") +
           QLatin1String(station::kAuthorEmail) + QStringLiteral(" 免费索取"));
  Show_msg(QStringLiteral("二次开发请联系店主 ,") + QLatin1String(station::kShopAddress));
}

void OSC::About_P_Click() {
  Show_msg(QStringLiteral(" 本程序为Tarvel AHRS 专用，不对其他设备使用此软件产生的错误负责！"));
  Show_msg(QStringLiteral("二次开发请联系店主 ,") + QLatin1String(station::kShopAddress));
  if (show_about) show_about();
}

void OSC::ExitC_Click() {
  MSComm.Close();
  EndProgram();
}

void OSC::BuildMenus() {
  QMenu* operation = menuBar()->addMenu(QStringLiteral("文件操作"));
  com_set = operation->addAction(QStringLiteral("端口设置"));
  opencsv = operation->addAction(QStringLiteral("打开数据[回放]"));
  savecsv = operation->addAction(QStringLiteral("保存数据到文件[记录]"));
  link_status = operation->addAction(QStringLiteral("链路状态"));
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
  connect(link_status, &QAction::triggered, this, [this] {
    if (show_link_status) show_link_status();
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
