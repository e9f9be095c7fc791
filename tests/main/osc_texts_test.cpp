// Every fixed text of the main window (as it stands after start-up) and of its gyroscope
// confirmation: captions, menus, frames, read-outs, buttons, lists, lamps, and the plot's
// curve titles, colours and background.

#include "main/dialog2.h"
#include "osc_test_fixture.h"
#include "station/maker_addresses.h"
#include "support/window_texts.h"

namespace tarvel::main_window {
namespace {

const QString kShop = QString::fromLatin1(station::kShopAddress);

TEST_F(OscTest, ShowsItsFixedTexts) {
  StartUp();
  const QStringList expected = {"caption: AHRS Voranta Flight " + kShop,
                                "menu: 文件操作",
                                "item: 端口设置 (disabled)",
                                "item: 打开数据[回放] (disabled)",
                                "item: 保存数据到文件[记录] (disabled)",
                                "item: 链路状态",
                                "menu: 飞行控制器",
                                "item: 光流传感器 (disabled)",
                                "item: 飞控监控和配置",
                                "menu: 关于程序",
                                "item: 帮助",
                                "item: AHRS介绍",
                                "item: 关于Voranta飞控",
                                "menu: 退出",
                                "item: 退出",
                                "panel: AHRS数据 显示面板",
                                "frame: 姿态解算 IMU",
                                "label: 航向:0.0",
                                "label: 俯仰:0.0",
                                "label: 横滚:0.0",
                                "label: 波形显示衰减系数",
                                "list: 1 [1|1/2|1/5|1/10|1/20|1/50|1/100]",
                                "button: 显示",
                                "frame: 其他",
                                "label: 0.0m",
                                "label: 0.0C",
                                "lamp: ",
                                "button: 清零",
                                "frame: ",
                                "label: 高度:",
                                "label: 温度:",
                                "label: 气压:",
                                "label: 姿态解算:",
                                "label: Roll:",
                                "label: Pitch:",
                                "button: 跟随最新",
                                "button: 打印预览",
                                "label: 上传帧率:",
                                "label: 0 帧每秒",
                                "label: 建议：最大上传帧率不大于20帧每秒",
                                "curve: YAW #ff4040",
                                "curve: Roll #ffd700",
                                "curve: Pitch #0000ff",
                                "curve: Ax #8b4513",
                                "curve: Ay #ff00ff",
                                "curve: Az #4876ff",
                                "curve: Gx #97ffff",
                                "curve: Gy #ffffff",
                                "curve: Gz #00ee00",
                                "curve: hx #f5ccb0",
                                "curve: hy #9b58ff",
                                "curve: hz #99f032",
                                "plot background: #545454",
                                "frame: 加速度",
                                "label:  AX:0",
                                "label:  AY:0",
                                "label:  AZ:0",
                                "label: 波形显示衰减系数",
                                "list: 1/100 [1|1/2|1/5|1/10|1/20|1/50|1/100]",
                                "button: 显示",
                                "frame: 陀螺仪",
                                "label:  GX:0",
                                "label:  GY:0",
                                "label:  GZ:0",
                                "button: 标零偏",
                                "label: 波形显示衰减系数",
                                "list: 1/100 [1|1/2|1/5|1/10|1/20|1/50|1/100]",
                                "button: 显示",
                                "frame: 磁力计",
                                "label:  MX:0",
                                "label:  MY:0",
                                "label:  MZ:0",
                                "button: 磁标定 (disabled)",
                                "label: 波形显示衰减系数",
                                "list: 1/5 [1|1/2|1/5|1/10|1/20|1/50|1/100]",
                                "button: 显示",
                                "frame: 重力和角速度",
                                "label: AX: 0.0 g",
                                "label: AY: 0.0 g",
                                "label: AZ: 0.0 g",
                                "label: GX: 0.0 dps",
                                "label: GY: 0.0 dps",
                                "label: GZ: 0.0 dps",
                                "button: 配置 (disabled)",
                                "panel: 信息显示",
                                "button: Clear",
                                "frame: 串口状态",
                                "lamp: RXD",
                                "lamp: TXD",
                                "button: 连接 AHRS",
                                "button: 3D显示 (disabled)"};
  EXPECT_EQ(test_support::WindowTexts(*osc_), expected);
}

TEST(Dialog2Test, ShowsItsFixedTexts) {
  Dialog2 d([] {});
  const QStringList expected = {"caption: 陀螺仪初始化",
                                "label: 请将模块静止放置，以便采集陀螺仪的零偏", "button: 确定",
                                "button: 取消"};
  EXPECT_EQ(test_support::WindowTexts(d), expected);
}

}  // namespace
}  // namespace tarvel::main_window
