// The console's load step and its commands to the board: select, read and write of the loop
// gains, the servo neutral and its confirmation, and silence while the port is closed.

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "console/servo_mid_dialog.h"
#include "fly_pid_test_fixture.h"
#include "link/commands.h"
#include "widgets/led_bar.h"

namespace tarvel::console {
namespace {

const Bytes kSelectRoll = {0xA5, 0x5A, 0x04, 0xD6, 0xDA, 0xAA};

TEST_F(FlyPidTest, CreatingTheWindowDoesNotLoadIt) {
  port_.Open();
  EXPECT_FALSE(w().loaded());
  EXPECT_FALSE(w().Timer1.Enabled());
  EXPECT_TRUE(port_.written.empty());
  EXPECT_EQ(w().Combo1->currentText(), "PID");
}

TEST_F(FlyPidTest, FirstShowWithOpenPortSelectsRollOnceAndStartsTimer1) {
  port_.Open();
  w().show();
  w().hide();
  w().show();
  w().EnsureLoaded();
  ASSERT_EQ(port_.written.size(), 1u);
  EXPECT_EQ(port_.written[0], kSelectRoll);
  EXPECT_EQ(led_flashes_, 1);
  EXPECT_TRUE(log_.isEmpty());
  EXPECT_TRUE(w().Timer1.Enabled());
  EXPECT_EQ(w().Timer1.Interval(), 20);
  EXPECT_EQ(w().Combo1->currentText(), "横滚PID");
  EXPECT_TRUE(w().tracking());
}

TEST_F(FlyPidTest, LoadWithClosedPortSendsNothingButStillLoads) {
  w().show();
  EXPECT_TRUE(port_.written.empty());
  EXPECT_EQ(led_flashes_, 0);
  EXPECT_TRUE(w().Timer1.Enabled());
  // Opening the port later does not replay the load step.
  port_.Open();
  w().hide();
  w().show();
  EXPECT_TRUE(port_.written.empty());
}

TEST_F(FlyPidTest, LoadSetsEveryChannelTo1500EvenAfterEarlierPwmFrames) {
  StorePwmIn({{1000, 1100, 1200, 1300, 1400, 1600}});
  StorePwmOut({{1000, 1100, 1200, 1300, 1400, 1600, 1700, 1800}});
  EXPECT_FALSE(w().loaded());
  w().EnsureLoaded();
  w().Timer1_Tick();
  for (float v : channels().inch)
    EXPECT_EQ(v, 1500.0f);
  for (float v : channels().outch)
    EXPECT_EQ(v, 1500.0f);
  EXPECT_EQ(w().iLedBarX4->Position(), 1500);
  EXPECT_EQ(w().iLedBarX12->Position(), 1500);
  EXPECT_EQ(w().Label12->text(), "1500");
}

// Types `text` as key presses (QTest's key helpers only know ASCII).
void Type(QLineEdit* edit, const QString& text) {
  for (const QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(edit, &press);
    QApplication::sendEvent(edit, &release);
  }
}

// What the user does with the loop selector, and the select frames that go out (loop number
// of each frame; 0 for none).
struct SelectorCase {
  const char* what;
  std::function<void(QComboBox*)> act;
  std::vector<int> loops_sent;
};

class FlyPidSelectorTest : public FlyPidTest, public ::testing::WithParamInterface<SelectorCase> {};

TEST_P(FlyPidSelectorTest, SendsOnlyWhatTheUserSelected) {
  OpenAndLoad();
  w().show();
  QComboBox* combo = w().Combo1;
  combo->setFocus();
  GetParam().act(combo);
  std::vector<int> loops;
  for (const Bytes& frame : port_.written) {
    ASSERT_EQ(frame.size(), 6u);
    loops.push_back(frame[3] - 0xD5);
  }
  EXPECT_EQ(loops, GetParam().loops_sent) << GetParam().what;
  EXPECT_EQ(led_flashes_, static_cast<int>(loops.size()));
  EXPECT_EQ(combo->count(), 4);  // typing never adds items
}

INSTANTIATE_TEST_SUITE_P(
    All, FlyPidSelectorTest,
    ::testing::Values(
        SelectorCase{"typing", [](QComboBox* c) { QTest::keyClicks(c->lineEdit(), "x"); }, {}},
        SelectorCase{"typing a name without Enter",
                     [](QComboBox* c) {
                       c->lineEdit()->clear();
                       Type(c->lineEdit(), QStringLiteral("高度PID"));
                     },
                     {}},
        SelectorCase{"a name and Enter",
                     [](QComboBox* c) {
                       c->lineEdit()->clear();
                       Type(c->lineEdit(), QStringLiteral("高度PID"));
                       QTest::keyClick(c->lineEdit(), Qt::Key_Return);
                     },
                     {4}},
        SelectorCase{"part of a name and Enter",
                     [](QComboBox* c) {
                       c->lineEdit()->clear();
                       Type(c->lineEdit(), QStringLiteral("高度"));
                       QTest::keyClick(c->lineEdit(), Qt::Key_Return);
                     },
                     {}},
        SelectorCase{"picking items with the arrow keys",
                     [](QComboBox* c) {
                       QTest::keyClick(c, Qt::Key_Down);
                       QTest::keyClick(c, Qt::Key_Down);
                     },
                     {2, 3}},
        SelectorCase{"picking the same item again after typing",
                     [](QComboBox* c) {
                       QTest::keyClick(c, Qt::Key_Down);
                       QTest::keyClicks(c->lineEdit(), "x");
                       QTest::keyClick(c, Qt::Key_Up);
                       QTest::keyClick(c, Qt::Key_Down);
                     },
                     {2, 1, 2}}));

TEST_F(FlyPidTest, ReadButtonsAskForTheirOwnLoop) {
  OpenAndLoad();
  QPushButton* reads[] = {w().Command1, w().Command4, w().Command6, w().Command9, w().Command10};
  for (QPushButton* b : reads)
    b->click();
  ASSERT_EQ(port_.written.size(), 5u);
  for (int n = 1; n <= 5; ++n) {
    const auto code = static_cast<std::uint8_t>(0xD0 + n);
    EXPECT_EQ(port_.written[n - 1], (Bytes{0xA5, 0x5A, 0x04, code, std::uint8_t(code + 4), 0xAA}))
        << "loop " << n;
  }
  EXPECT_EQ(led_flashes_, 5);
  EXPECT_TRUE(log_.isEmpty());
}

TEST_F(FlyPidTest, WriteSendsTheGainsReadBackIntoTheBoxes) {
  OpenAndLoad();
  w().Decode_PID({1, 1.5f, 0.02f, 0.3f});
  w().Command2->click();
  ASSERT_EQ(port_.written.size(), 1u);
  EXPECT_EQ(port_.written[0], (Bytes{0xA5, 0x5A, 0x10, 0xDA, 0x00, 0x00, 0xC0, 0x3F, 0x0A, 0xD7,
                                     0xA3, 0x3C, 0x9A, 0x99, 0x99, 0x3E, 0xB3, 0xAA}));
  EXPECT_EQ(led_flashes_, 1);
  EXPECT_TRUE(log_.isEmpty());
}

TEST_F(FlyPidTest, WriteReadsTheBoxesLeniently) {
  OpenAndLoad();
  w().Decode_PID({2, 0, 0, 0});
  w().Text6->setText("1.5abc");
  w().Text5->setText("");
  w().Text4->setText(" -2e-1x");
  w().Command3->click();
  ASSERT_EQ(port_.written.size(), 1u);
  const auto expected = link::WritePidCommand(2, 1.5f, 0.0f, -0.2f);
  EXPECT_EQ(port_.written[0], Bytes(expected.begin(), expected.end()));
}

TEST_F(FlyPidTest, GainOutsideSinglePrecisionIsRefusedAndLogged) {
  OpenAndLoad();
  w().Decode_PID({5, 1, 1, 1});
  for (QLineEdit* box : {w().Text13, w().Text14, w().Text15}) {
    box->setText("1e39");
    w().Command11->click();
    box->setText("-1e39x");
    w().Command11->click();
    box->setText("0.5");
  }
  EXPECT_TRUE(port_.written.empty());
  EXPECT_EQ(led_flashes_, 0);
  ASSERT_EQ(log_.size(), 6);
  for (const QString& line : log_)
    EXPECT_EQ(line, "角度平衡PID 参数超出范围,未发送") << line.toStdString();
  // The same loop goes out again once every box holds a usable number.
  w().Command11->click();
  EXPECT_EQ(port_.written.size(), 1u);
}

TEST_F(FlyPidTest, ServoNeutralIsSentOnlyAfterConfirmation) {
  OpenAndLoad();
  w().Command12->click();
  ASSERT_NE(w().servo_dialog, nullptr);
  servomid* dialog = w().servo_dialog;
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(port_.written.empty());
  dialog->Command2->click();  // "取消"
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(port_.written.empty());

  w().Command12->click();
  EXPECT_EQ(w().servo_dialog, dialog);  // one confirmation window, reused
  dialog->Command1->click();            // "记录"
  EXPECT_FALSE(dialog->isVisible());
  ASSERT_EQ(port_.written.size(), 1u);
  EXPECT_EQ(port_.written[0], (Bytes{0xA5, 0x5A, 0x04, 0xF5, 0xF9, 0xAA}));
  EXPECT_EQ(log_,
            (QStringList{"记录舵机中立位 命令已经发送！", "命令格式(HEX): A5 5A 04 F5 F9 AA"}));
  EXPECT_EQ(led_flashes_, 1);
}

TEST_F(FlyPidTest, EveryCommandIsSilentWhileThePortIsClosed) {
  w().EnsureLoaded();
  w().Decode_PID({1, 1, 1, 1});
  w().Decode_PID({3, 1, 1, 1});
  w().Text9->setText("1e39");  // not even the refusal is logged
  const std::function<void()> commands[] = {[&] { w().servo_mid(); },
                                            [&] { w().Send_readPID(1); },
                                            [&] { w().Send_seePID(2); },
                                            [&] { w().Command2->click(); },
                                            [&] { w().Command5->click(); },
                                            [&] { w().Combo1->setCurrentIndex(2); },
                                            [&] {
                                              w().Command12->click();
                                              w().servo_dialog->Command1->click();
                                            }};
  for (const auto& command : commands)
    command();
  EXPECT_TRUE(port_.written.empty());
  EXPECT_EQ(led_flashes_, 0);
  EXPECT_TRUE(log_.isEmpty());
  EXPECT_FALSE(w().servo_dialog->isVisible());
}

}  // namespace
}  // namespace tarvel::console
