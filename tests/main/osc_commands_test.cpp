// Commands to the board, the gyroscope confirmation, the menus and the help texts.

#include <QAction>
#include <QPushButton>

#include "main/dialog2.h"
#include "osc_test_fixture.h"
#include "station/maker_addresses.h"
#include "widgets/rect_led.h"

namespace tarvel::main_window {
namespace {

using Bytes = std::vector<std::uint8_t>;

class OscCommandTest : public OscTest {
 protected:
  void SetUp() override {
    OscTest::SetUp();
    StartUp();
  }
  void OpenPort() {
    osc_->iSwitchLedX1_Switched();
    osc_->Timer4_Tick();
  }
};

struct FixedCommand {
  void (OSC::*send)();
  Bytes frame;
  QString first_line;
};

class OscFixedCommandTest : public OscCommandTest,
                            public ::testing::WithParamInterface<FixedCommand> {};

TEST_P(OscFixedCommandTest, OpenPortSendsTheFrameLogsTwoLinesAndLightsTxd) {
  OpenPort();
  const int lines = LogLines().size();
  (osc_.get()->*GetParam().send)();
  ASSERT_EQ(port_.written.size(), 1u);
  EXPECT_EQ(port_.written[0], GetParam().frame);
  const QStringList log = LogLines();
  ASSERT_EQ(log.size(), lines + 2);
  EXPECT_EQ(log[lines], ">  " + GetParam().first_line);
  EXPECT_TRUE(log[lines + 1].startsWith(">  命令格式(HEX): A5 5A 04 E"))
      << log[lines + 1].toStdString();
  EXPECT_TRUE(osc_->iLedRectangleX2->IsActive());
  EXPECT_TRUE(osc_->Timer3.Enabled());
}

TEST_P(OscFixedCommandTest, ClosedPortMakesTheCommandSilent) {
  (osc_.get()->*GetParam().send)();
  EXPECT_TRUE(port_.written.empty());
  EXPECT_EQ(LogLines().size(), 6);
  EXPECT_FALSE(osc_->iLedRectangleX2->IsActive());
}

INSTANTIATE_TEST_SUITE_P(All, OscFixedCommandTest,
                         ::testing::Values(FixedCommand{&OSC::Send_gyro,
                                                        {0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA},
                                                        "陀螺标零偏 命令已经发送！"},
                                           FixedCommand{&OSC::Send_hmc,
                                                        {0xA5, 0x5A, 0x04, 0xE1, 0xE5, 0xAA},
                                                        "保存磁力标定数据 命令已经发送！"},
                                           FixedCommand{&OSC::Send_high,
                                                        {0xA5, 0x5A, 0x04, 0xE2, 0xE6, 0xAA},
                                                        "气压高度标零 命令已经发送！"},
                                           FixedCommand{&OSC::Send_hmc_begin,
                                                        {0xA5, 0x5A, 0x04, 0xE3, 0xE7, 0xAA},
                                                        "开始磁标定 命令已经发送！"}));

TEST_F(OscCommandTest, SecondLineSpellsTheFrameInHex) {
  OpenPort();
  osc_->Send_high();
  EXPECT_EQ(LogLines().last(), ">  命令格式(HEX): A5 5A 04 E2 E6 AA");
}

TEST_F(OscCommandTest, GyroZeroIsSentOnlyAfterConfirmation) {
  OpenPort();
  osc_->Command1->click();
  ASSERT_NE(osc_->dialog2, nullptr);
  EXPECT_TRUE(osc_->dialog2->isVisible());
  EXPECT_TRUE(port_.written.empty());
  osc_->dialog2->CancelButton->click();
  EXPECT_FALSE(osc_->dialog2->isVisible());
  EXPECT_TRUE(port_.written.empty());
  osc_->Command1->click();
  osc_->dialog2->OKButton->click();
  EXPECT_FALSE(osc_->dialog2->isVisible());
  ASSERT_EQ(port_.written.size(), 1u);
  EXPECT_EQ(port_.written[0], Bytes({0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA}));
}

TEST_F(OscCommandTest, AcceptingWithThePortClosedSendsNothingAndHides) {
  osc_->Command1->click();
  osc_->dialog2->OKButton->click();
  EXPECT_FALSE(osc_->dialog2->isVisible());
  EXPECT_TRUE(port_.written.empty());
  EXPECT_EQ(LogLines().size(), 6);
}

TEST_F(OscCommandTest, AltitudeZeroButtonSendsItsCommand) {
  OpenPort();
  osc_->Command4->click();
  ASSERT_EQ(port_.written.size(), 1u);
  EXPECT_EQ(port_.written[0], Bytes({0xA5, 0x5A, 0x04, 0xE2, 0xE6, 0xAA}));
}

TEST_F(OscCommandTest, HelpWritesTwoLinesAndOpensNothing) {
  int opened = 0;
  osc_->show_about = [&] { ++opened; };
  osc_->Help_F->trigger();
  const QStringList log = LogLines();
  ASSERT_EQ(log.size(), 8);
  EXPECT_TRUE(
      log[6].startsWith(">  关于程序的通信协议，见压缩包的文件夹内或者发送邮件到作者的邮箱 "));
  EXPECT_TRUE(log[6].endsWith(" 免费索取"));
  EXPECT_EQ(log[7], QStringLiteral(">  二次开发请联系店主 ,") + station::kShopAddress);
  EXPECT_EQ(opened, 0);
}

TEST_F(OscCommandTest, AboutWritesTwoLinesEachTimeAndShowsTheWindow) {
  int opened = 0;
  osc_->show_about = [&] { ++opened; };
  osc_->About_P->trigger();
  osc_->About_P->trigger();
  const QStringList log = LogLines();
  ASSERT_EQ(log.size(), 10);
  EXPECT_EQ(log[6], ">   本程序为Tarvel AHRS 专用，不对其他设备使用此软件产生的错误负责！");
  EXPECT_EQ(log[8], log[6]);
  EXPECT_EQ(opened, 2);
}

TEST_F(OscCommandTest, ItemsOfWindowsStillToComeAreDisabled) {
  for (QAction* a : {osc_->com_set, osc_->opencsv, osc_->savecsv, osc_->optical}) {
    EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
  }
  for (QAction* a : {osc_->flycn, osc_->Help_F, osc_->About_P, osc_->abfly, osc_->ExitC}) {
    EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
  }
  EXPECT_EQ(osc_->Command1->text(), "标零偏");
  EXPECT_EQ(osc_->Command4->text(), "清零");
  EXPECT_EQ(osc_->Command6->text(), "跟随最新");
}

}  // namespace
}  // namespace tarvel::main_window
