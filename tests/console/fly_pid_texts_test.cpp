// Every fixed text of the console as it starts, and of its servo-neutral confirmation:
// caption, group titles, channel read-outs, gain boxes, buttons (the write buttons disabled),
// the loop selector's items, and the tracking plot's title, curves and background.

#include "console/servo_mid_dialog.h"
#include "fly_pid_test_fixture.h"
#include "station/maker_addresses.h"
#include "support/window_texts.h"

namespace tarvel::console {
namespace {

const QString kShop = QString::fromLatin1(station::kShopAddress);

TEST_F(FlyPidTest, ShowsItsFixedTexts) {
  const QStringList expected = {"caption: 飞控界面 " + kShop,
                                "frame: PWM输入",
                                "label: CH1",
                                "label: 1500",
                                "label: CH2",
                                "label: 1500",
                                "label: CH3",
                                "label: 1500",
                                "label: CH4",
                                "label: 1500",
                                "label: CH5",
                                "label: 1500",
                                "label: CH6",
                                "label: 1500",
                                "button: 记录中立值",
                                "frame: PWM输出",
                                "label: CH1",
                                "label: 1500",
                                "label: CH2",
                                "label: 1500",
                                "label: CH3",
                                "label: 1500",
                                "label: CH4",
                                "label: 1500",
                                "label: CH5",
                                "label: 1500",
                                "label: CH6",
                                "label: 1500",
                                "label: CH7",
                                "label: 1500",
                                "label: CH8",
                                "label: 1500",
                                "frame: GPS位置",
                                "label: 经度:120.0122度",
                                "label: 纬度:30.2741度",
                                "label: 高度:12.5米",
                                "label: 航向:0.0度",
                                "label: 速度:0.0m/s",
                                "label: 锁定卫星:0颗",
                                "frame: 目标信息",
                                "label: 经度:120.0122度",
                                "label: 纬度:30.2741度",
                                "label: 高度:12.5米",
                                "label: 距离:0.0米",
                                "label: X控制量:0.0度",
                                "label: Y控制量:0.0度",
                                "frame: 系统状态",
                                "label: 工作模式:手动",
                                "label: 舵机电压",
                                "label: 主电池电压",
                                "label: 错误代码",
                                "label: 开机时间",
                                "label: I2C错误次数:",
                                "frame: 横滚PID",
                                "label: Pk",
                                "box: 0",
                                "label: Ik",
                                "box: 0",
                                "label: Dk",
                                "box: 0",
                                "button: 读取",
                                "button: 写入 (disabled)",
                                "frame: 俯仰PID",
                                "label: Pk",
                                "box: 0",
                                "label: Ik",
                                "box: 0",
                                "label: Dk",
                                "box: 0",
                                "button: 读取",
                                "button: 写入 (disabled)",
                                "frame: 航向PID",
                                "label: Pk",
                                "box: 0",
                                "label: Ik",
                                "box: 0",
                                "label: Dk",
                                "box: 0",
                                "button: 读取",
                                "button: 写入 (disabled)",
                                "frame: 高度PID",
                                "label: Pk",
                                "box: 0",
                                "label: Ik",
                                "box: 0",
                                "label: Dk",
                                "box: 0",
                                "button: 读取",
                                "button: 写入 (disabled)",
                                "frame: 角度平衡PID",
                                "label: Pk",
                                "box: 0",
                                "label: Ik",
                                "box: 0",
                                "label: Dk",
                                "box: 0",
                                "button: 读取",
                                "button: 写入 (disabled)",
                                "frame: ",
                                "list: PID [横滚PID|俯仰PID|航向PID|高度PID]",
                                "button: 跟踪PID",
                                "button: 跟踪最新",
                                "label: 目标值：",
                                "label: 当前值：",
                                "button: ",
                                "label: 控制量：",
                                "plot title: PID",
                                "curve: Target #ff4040",
                                "curve: Current #00c800",
                                "curve: PID #ffd700",
                                "plot background: #545454"};
  EXPECT_EQ(test_support::WindowTexts(w()), expected);
}

TEST(ServoMidTest, ShowsItsFixedTexts) {
  servomid d([] {});
  const QStringList expected = {
      "caption: 记录中立位置",
      "label: 此命令将使飞控记录当前的通道值做为中立的值。比如当通道1 的当前值为1550  "
      "那么在完成记录中立后，飞控下次接收到的1550 将会被记为1500us. 此时1600us "
      "的输入，飞控也会当成 1550us处理。你确定要记录当前的值做为中立值吗？",
      "button: 记录", "button: 取消"};
  EXPECT_EQ(test_support::WindowTexts(d), expected);
}

}  // namespace
}  // namespace tarvel::console
