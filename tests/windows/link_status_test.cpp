// The link-status window on a LinkHealth fed by a script with a fake clock: what it shows, the
// "清零" button, and its refresh by Timer1 (called directly, and once with real time).

#include "windows/link_status.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <map>

namespace tarvel::windows {
namespace {

using station::Nanos;
constexpr Nanos kMs = station::kNanosPerSecond / 1000;

const QStringList kLinkTitles = {
    "收到字节", "发送字节", "接收速率 (字节/秒)", "发送速率 (字节/秒)", "线路负载 (%)", "正确帧",
    "校验错误", "帧头丢失", "缓冲区溢出",         "设备断开",           "未知类型帧",   "过短帧",
};

class LinkStatusTest : public testing::Test {
 protected:
  // Ten seconds of a link in 10 ms steps: 1152 bytes every 100 ms (a full 115200-baud line),
  // attitude frames at 50 Hz, GPS at 5 Hz until 5 s, one command echo (TYPE E0, no decoder),
  // one checksum error, a missing header, an overflow and a lost device.
  void Script() {
    for (Nanos t = 10 * kMs; t <= 10'000 * kMs; t += 10 * kMs) {
      now_ = t;
      if (t % (100 * kMs) == 0) health_.OnBytesReceived(1152, t);
      if (t % (20 * kMs) == 0) health_.OnGoodFrame(0xA1, t);
      if (t % (200 * kMs) == 0 && t <= 5000 * kMs) health_.OnGoodFrame(0xA3, t);
      if (t == 3000 * kMs) {
        health_.OnBytesSent(8, t);
        health_.OnGoodFrame(0xE0, t);
        health_.OnUnknownType(0xE0);
        health_.OnChecksumError();
        health_.OnHeaderMissing();
        health_.OnOverflow();
        health_.OnDeviceLost();
      }
    }
  }

  // Table1's value beside `title`.
  QString Value(const QString& title) const {
    for (int row = 0; row < window_.Table1->rowCount(); ++row) {
      for (int column = 0; column < window_.Table1->columnCount(); column += 2) {
        const QTableWidgetItem* item = window_.Table1->item(row, column);
        if (item && item->text() == title) {
          const QTableWidgetItem* value = window_.Table1->item(row, column + 1);
          return value ? value->text() : QString();
        }
      }
    }
    ADD_FAILURE() << "no row " << title.toStdString();
    return {};
  }

  // Table2's rows by their TYPE text, each as its list of cell texts.
  std::map<QString, QStringList> TypeRows() const {
    std::map<QString, QStringList> rows;
    for (int row = 0; row < window_.Table2->rowCount(); ++row) {
      QStringList cells;
      for (int column = 0; column < window_.Table2->columnCount(); ++column) {
        const QTableWidgetItem* item = window_.Table2->item(row, column);
        cells << (item ? item->text() : QString());
      }
      rows[cells.front()] = cells;
    }
    return rows;
  }

  station::LinkHealth health_;
  Nanos now_ = 0;
  serial::LineSettings line_;
  LinkStatus window_{health_, [this] { return now_; }, [this] { return line_; }};
};

TEST_F(LinkStatusTest, FixedTexts) {
  EXPECT_EQ(window_.windowTitle(), "链路状态");
  EXPECT_FALSE(window_.isModal());
  EXPECT_EQ(window_.Command1->text(), "清零");
  EXPECT_EQ(window_.Label2->text(), "各类型帧");
  QStringList titles;
  for (int row = 0; row < window_.Table1->rowCount(); ++row) {
    titles << window_.Table1->item(row, 0)->text() << window_.Table1->item(row, 2)->text();
  }
  EXPECT_EQ(titles, kLinkTitles);
  QStringList headers;
  for (int column = 0; column < window_.Table2->columnCount(); ++column)
    headers << window_.Table2->horizontalHeaderItem(column)->text();
  EXPECT_EQ(headers, QStringList({"类型", "帧数", "1秒速率", "10秒速率", "周期中位数 (ms)",
                                  "抖动中位数 (ms)", "抖动P99 (ms)", "距上次 (s)", "过期"}));
  EXPECT_EQ(window_.Timer1.Interval(), 1000);
  EXPECT_FALSE(window_.Timer1.Enabled());  // runs only while shown
}

TEST_F(LinkStatusTest, ShowsTheCountsOfTheLinkAndOfEachType) {
  Script();
  window_.show();  // refreshes at once
  const std::map<QString, QString> expected = {
      {"收到字节", "115200"},
      {"发送字节", "8"},
      {"接收速率 (字节/秒)", "11520.0"},
      {"发送速率 (字节/秒)", "0.0"},
      {"线路负载 (%)", "100.0"},
      {"正确帧", "526"},
      {"校验错误", "1 (0.19%)"},  // 1 of 527 checked frames
      {"帧头丢失", "1"},
      {"缓冲区溢出", "1"},
      {"设备断开", "1"},
      {"未知类型帧", "1"},
      {"过短帧", "0"},
  };
  for (const auto& [title, value] : expected)
    EXPECT_EQ(Value(title), value) << title.toStdString();
  EXPECT_EQ(window_.Label1->text(), "线路设置：115200,n,8,1（每个字符 10 位）");

  // Type, frames, 1 s and 10 s rates, period, jitter median and p99, age, stale. GPS stopped
  // 5 s ago after 25 frames; E0 came once, so it has no period.
  const std::map<QString, QStringList> rows = {
      {"0xA1", {"0xA1", "500", "50.0", "50.0", "20.00", "0.00", "0.00", "0.0", ""}},
      {"0xA3", {"0xA3", "25", "0.0", "2.5", "200.00", "0.00", "0.00", "5.0", "是"}},
      {"0xE0", {"0xE0", "1", "0.0", "0.1", "—", "—", "—", "7.0", ""}},
  };
  EXPECT_EQ(TypeRows(), rows);
  ASSERT_EQ(window_.Table2->rowCount(), 3);
  EXPECT_EQ(window_.Table2->item(0, 0)->text(), "0xA1");  // in TYPE order
  EXPECT_EQ(window_.Table2->item(2, 0)->text(), "0xE0");

  // The load follows the line the station runs: 8E2 needs 12 bits a byte.
  line_ = *serial::LineSettings::FromText("115200,e,8,2");
  window_.Timer1_Tick();
  EXPECT_EQ(Value("线路负载 (%)"), "120.0");
  EXPECT_EQ(window_.Label1->text(), "线路设置：115200,e,8,2（每个字符 12 位）");
}

TEST_F(LinkStatusTest, ClearZeroesTheShownCounts) {
  Script();
  window_.show();
  ASSERT_EQ(Value("正确帧"), "526");
  window_.Command1->click();
  EXPECT_EQ(health_.good_frames(), 0u);
  for (const QString& title : kLinkTitles) {
    const QString v = Value(title);
    EXPECT_TRUE(v == "0" || v == "0.0" || v == "0 (0.00%)")
        << title.toStdString() << ": " << v.toStdString();
  }
  EXPECT_EQ(window_.Table2->rowCount(), 0);
}

TEST_F(LinkStatusTest, Timer1TickShowsNewEvents) {
  Script();
  window_.show();
  EXPECT_TRUE(window_.Timer1.Enabled());
  now_ += 500 * kMs;
  for (int i = 1; i <= 10; ++i)
    health_.OnGoodFrame(0xA2, now_ - (10 - i) * 20 * kMs);
  EXPECT_EQ(Value("正确帧"), "526");  // nothing changes between ticks
  EXPECT_EQ(window_.Table2->rowCount(), 3);

  window_.Timer1_Tick();
  EXPECT_EQ(Value("正确帧"), "536");
  EXPECT_EQ(TypeRows().at("0xA2")[1], "10");
  EXPECT_EQ(TypeRows().at("0xA1")[7], "0.5");  // the age moves with the clock

  window_.hide();
  EXPECT_FALSE(window_.Timer1.Enabled());
  window_.show();
  EXPECT_TRUE(window_.Timer1.Enabled());
}

TEST_F(LinkStatusTest, TheRunningTimerRefreshesWhileTheWindowIsShown) {
  window_.show();
  ASSERT_EQ(Value("正确帧"), "0");
  health_.OnGoodFrame(0xA1, 0);
  QElapsedTimer waited;
  waited.start();
  while (Value("正确帧") == "0" && waited.elapsed() < 3000)
    QTest::qWait(50);
  EXPECT_EQ(Value("正确帧"), "1");
  EXPECT_GT(waited.elapsed(), 500);  // the next tick, not the show
  EXPECT_EQ(window_.Table2->rowCount(), 1);
}

}  // namespace
}  // namespace tarvel::windows
