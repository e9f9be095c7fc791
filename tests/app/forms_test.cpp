// The program's windows wired together by Forms: the console's frames through the station, the
// windows' life (created on first use, unloaded by the close box) and ending the program.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>
#include <vector>

#include "app/forms.h"
#include "console/fly_pid.h"
#include "link/codec.h"
#include "link/frame.h"
#include "link/frame_types.h"
#include "main/osc.h"
#include "support/fake_serial_port.h"
#include "support/scratch_dir.h"
#include "widgets/round_led.h"
#include "windows/about_windows.h"
#include "windows/link_status.h"

namespace tarvel::app {
namespace {

using Bytes = std::vector<std::uint8_t>;
const Bytes kSelectRoll = {0xA5, 0x5A, 0x04, 0xD6, 0xDA, 0xAA};

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    forms_ = std::make_unique<Forms>(port_, dir_ / "OSC.ini");
    osc().Timer_Getdata_Tick();
    osc().iSwitchLedX1_Switched();
    osc().Timer4_Tick();
  }
  void TearDown() override { forms_.reset(); }
  main_window::OSC& osc() { return forms_->osc(); }
  void DeliverFrame(std::uint8_t type, const Bytes& payload) {
    port_.Deliver(link::BuildFrame(type, payload));
  }
  // Lets deferred deletions (a window unloaded by its close box) happen.
  static void SettleEvents() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }

  test_support::ScratchDir scratch_{"tarvel_forms_"};
  const std::filesystem::path& dir_ = scratch_.path();
  test_support::FakeSerialPort port_;
  std::unique_ptr<Forms> forms_;
};

TEST_F(FormsTest, PwmAndForeignFramesLeaveTheConsoleUncreated) {
  DeliverFrame(link::kTypePwmIn,
               {0x05, 0xDC, 0x05, 0xDC, 0x03, 0xE8, 0x07, 0xD0, 0x05, 0xDC, 0x05, 0xDC});
  DeliverFrame(0xE0, {});
  DeliverFrame(0xD6, {1, 2, 3});
  DeliverFrame(link::kTypeGps, {1, 2, 3});  // shorter than its layout: reaches nobody
  EXPECT_EQ(forms_->find_flypid(), nullptr);
  EXPECT_FLOAT_EQ(forms_->station().console_channels.inch[2], 1000.0f);
  EXPECT_FLOAT_EQ(forms_->station().console_channels.inch[3], 2000.0f);
}

TEST_F(FormsTest, GpsFrameLoadsTheConsoleOnceHiddenAndFillsIt) {
  Bytes gps(15, 0);
  link::PutS32(&gps[0], 1200122);
  DeliverFrame(link::kTypeGps, gps);
  console::FlyPID* fly = forms_->find_flypid();
  ASSERT_NE(fly, nullptr);
  EXPECT_TRUE(fly->loaded());
  EXPECT_FALSE(fly->isVisible());
  EXPECT_EQ(fly->Label29->text(), "经度:120.0122度");
  EXPECT_EQ(port_.written, std::vector<Bytes>{kSelectRoll});  // the load step, on the open port
  DeliverFrame(link::kTypeGps, gps);
  EXPECT_EQ(port_.written.size(), 1u);
}

// Each of these frames toggles its own lamp of the console, and only that one.
TEST_F(FormsTest, GpsTargetAndStatusFramesEachToggleTheirConsoleLamp) {
  struct Case {
    std::uint8_t type;
    int payload_size;
    widgets::RoundLed* console::FlyPID::*lamp;
  };
  const Case cases[] = {{link::kTypeGps, 15, &console::FlyPID::iLedRoundX1},
                        {link::kTypeTarget, 16, &console::FlyPID::iLedRoundX2},
                        {link::kTypeStatus, 10, &console::FlyPID::iLedRoundX3}};
  console::FlyPID& fly = forms_->flypid();
  for (const Case& c : cases) {
    std::vector<bool> before;
    for (const Case& other : cases)
      before.push_back((fly.*other.lamp)->IsActive());
    DeliverFrame(c.type, Bytes(c.payload_size, 0));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      const bool now = (fly.*cases[i].lamp)->IsActive();
      EXPECT_EQ(now != before[i], cases[i].type == c.type) << int(c.type) << " lamp " << i;
    }
  }
}

TEST_F(FormsTest, PidFrameFillsItsLoopAndEnablesWriting) {
  Bytes pid(12, 0);
  link::PutF32(&pid[0], 1.5f);
  link::PutF32(&pid[4], 0.02f);
  link::PutF32(&pid[8], 0.3f);
  DeliverFrame(0xD2, pid);
  console::FlyPID& fly = forms_->flypid();
  EXPECT_EQ(fly.Text6->text(), "1.500");
  EXPECT_EQ(fly.Text5->text(), "0.020");
  EXPECT_EQ(fly.Text4->text(), "0.300");
  EXPECT_TRUE(fly.Command3->isEnabled());
}

TEST_F(FormsTest, ConsoleCloseBoxUnloadsItAndTheNextOpeningLoadsItAgain) {
  osc().flycn->trigger();
  console::FlyPID* first = forms_->find_flypid();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  first->Text1->setText("9.9");
  EXPECT_EQ(port_.written.size(), 1u);
  forms_->station().console_channels.inch.fill(1200);

  first->close();
  EXPECT_EQ(forms_->find_flypid(), nullptr);
  SettleEvents();

  osc().flycn->trigger();
  console::FlyPID* second = forms_->find_flypid();
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->isVisible());
  EXPECT_EQ(second->Text1->text(), "0");                                     // a fresh window
  EXPECT_EQ(port_.written, (std::vector<Bytes>{kSelectRoll, kSelectRoll}));  // loaded again
  EXPECT_FLOAT_EQ(forms_->station().console_channels.inch[0], 1500.0f);
}

TEST_F(FormsTest, HiddenByItsButtonAWindowKeepsItsContent) {
  osc().About_P->trigger();
  windows::about* a = &forms_->about();
  EXPECT_TRUE(a->isVisible());
  a->Command1->click();
  EXPECT_FALSE(a->isVisible());
  osc().About_P->trigger();
  EXPECT_EQ(&forms_->about(), a);
  EXPECT_TRUE(a->isVisible());
  a->close();
  SettleEvents();
  osc().About_P->trigger();
  EXPECT_TRUE(forms_->about().isVisible());
}

TEST_F(FormsTest, LinkStatusFromTheMenuCountsTheStationsOwnLink) {
  DeliverFrame(link::kTypeImu, Bytes(14, 0));
  DeliverFrame(link::kTypeImu, Bytes(14, 0));
  port_.Deliver(Bytes{0xA5, 0x5A, 0x04, 0xE0, 0xE5, 0xAA});
  osc().link_status->trigger();
  windows::LinkStatus& w = forms_->link_status();
  EXPECT_TRUE(w.isVisible());
  ASSERT_EQ(w.Table2->rowCount(), 1);
  EXPECT_EQ(w.Table2->item(0, 0)->text(), "0xA1");
  EXPECT_EQ(w.Table2->item(0, 1)->text(), "2");
  EXPECT_EQ(forms_->station().health.Snapshot(forms_->station().session.Now(), {}).checksum_errors,
            1u);
}

// Runs the application's event loop after `action`; true when the loop was asked to quit
// within two seconds.
bool QuitsAfter(const std::function<void()>& action) {
  QCoreApplication::processEvents();  // nothing left over from earlier tests may count
  bool timed_out = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    timed_out = true;
    QCoreApplication::exit(1);
  });
  guard.start(2000);
  QTimer::singleShot(0, action);
  QCoreApplication::exec();
  return !timed_out;
}

TEST_F(FormsTest, ClosingTheMainWindowEndsTheProgramWhileOtherWindowsAreOpen) {
  osc().show();
  osc().flycn->trigger();
  osc().About_P->trigger();
  EXPECT_TRUE(QuitsAfter([this] { osc().close(); }));
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(FormsTest, ExitEndsTheProgramAndClosesThePort) {
  osc().show();
  osc().flycn->trigger();
  EXPECT_TRUE(port_.IsOpen());
  EXPECT_TRUE(QuitsAfter([this] { osc().ExitC->trigger(); }));
  EXPECT_FALSE(port_.IsOpen());
}

}  // namespace
}  // namespace tarvel::app
