#include "windows/link_status.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <array>
#include <utility>

#include "link/frame_types.h"
#include "widgets/number_texts.h"

namespace tarvel::windows {
namespace {

using widgets::Decimal;
using widgets::Fixed;

constexpr int kRowHeight = 26;
constexpr int kTableWidth = 728;

// Table1's titles, two to a row: (row, column) is title number 2 * row + column / 2.
constexpr std::array<const char*, 12> kLinkTitles = {
    "收到字节", "发送字节", "接收速率 (字节/秒)", "发送速率 (字节/秒)", "线路负载 (%)", "正确帧",
    "校验错误", "帧头丢失", "缓冲区溢出",         "设备断开",           "未知类型帧",   "过短帧",
};

constexpr std::array<std::pair<const char*, int>, 9> kTypeColumns = {{
    {"类型", 60},
    {"帧数", 80},
    {"1秒速率", 72},
    {"10秒速率", 72},
    {"周期中位数 (ms)", 104},
    {"抖动中位数 (ms)", 104},
    {"抖动P99 (ms)", 92},
    {"距上次 (s)", 80},
    {"过期", 48},
}};

QString Count(std::uint64_t value) {
  return QString::number(static_cast<qulonglong>(value));
}

// A read-only table without grid selection or editing: it only shows figures.
QTableWidget* MakeTable(QWidget* parent, int rows, int columns) {
  auto* table = new QTableWidget(rows, columns, parent);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setFocusPolicy(Qt::NoFocus);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(kRowHeight);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->horizontalHeader()->setHighlightSections(false);
  return table;
}

// The item at (row, column), made on first use so refreshes only change texts.
QTableWidgetItem* Cell(QTableWidget* table, int row, int column) {
  QTableWidgetItem* item = table->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled);
    table->setItem(row, column, item);
  }
  return item;
}

void SetNumber(QTableWidget* table, int row, int column, const QString& text) {
  QTableWidgetItem* item = Cell(table, row, column);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (item->text() != text) item->setText(text);
}

}  // namespace

LinkStatus::LinkStatus(station::LinkHealth& health, std::function<station::Nanos()> now,
                       std::function<serial::LineSettings()> line, QWidget* parent)
    : QWidget(parent, Qt::Window), health_(health), now_(std::move(now)), line_(std::move(line)) {
  setWindowTitle(QStringLiteral("链路状态"));
  setFixedSize(760, 640);

  Label1 = new QLabel(this);
  Label1->setGeometry(16, 10, 600, 24);

  Table1 = MakeTable(this, static_cast<int>(kLinkTitles.size() / 2), 4);
  Table1->horizontalHeader()->hide();
  for (int column = 0; column < 4; ++column)
    Table1->setColumnWidth(column, column % 2 == 0 ? 170 : 192);
  Table1->setGeometry(16, 40, kTableWidth, Table1->rowCount() * kRowHeight + 4);
  const QBrush title_background = palette().brush(QPalette::AlternateBase);
  for (std::size_t i = 0; i < kLinkTitles.size(); ++i) {
    QTableWidgetItem* title = Cell(Table1, static_cast<int>(i / 2), static_cast<int>(i % 2) * 2);
    title->setText(QString::fromUtf8(kLinkTitles[i]));
    title->setBackground(title_background);
  }

  Label2 = new QLabel(QStringLiteral("各类型帧"), this);
  Label2->setGeometry(16, 214, 300, 24);

  Table2 = MakeTable(this, 0, static_cast<int>(kTypeColumns.size()));
  for (std::size_t c = 0; c < kTypeColumns.size(); ++c) {
    const auto& [title, column_width] = kTypeColumns[c];
    Table2->setHorizontalHeaderItem(static_cast<int>(c),
                                    new QTableWidgetItem(QString::fromUtf8(title)));
    Table2->setColumnWidth(static_cast<int>(c), column_width);
  }
  Table2->setGeometry(16, 240, kTableWidth, 340);  // columns plus room for the scroll bar

  Command1 = new QPushButton(QStringLiteral("清零"), this);
  Command1->setGeometry(644, 594, 100, 32);

  connect(Command1, &QPushButton::clicked, this, &LinkStatus::Command1_Click);
  connect(&Timer1, &platform::Timer::tick, this, &LinkStatus::Timer1_Tick);
}

void LinkStatus::Refresh() {
  const serial::LineSettings line = line_();
  const station::LinkHealthSnapshot s = health_.Snapshot(now_(), line);
  Label1->setText(QStringLiteral("线路设置：%1（每个字符 %2 位）")
                      .arg(QString::fromStdString(line.Text()), Decimal(line.BitsPerCharacter())));
  ShowLink(s);
  ShowTypes(s);
}

void LinkStatus::ShowLink(const station::LinkHealthSnapshot& s) {
  // In the order of kLinkTitles.
  const std::array<QString, 12> values = {
      Count(s.bytes_received),
      Count(s.bytes_sent),
      Fixed(s.rx_bytes_per_s, 1),
      Fixed(s.tx_bytes_per_s, 1),
      Fixed(s.line_load * 100, 1),
      Count(s.good_frames),
      QStringLiteral("%1 (%2%)").arg(Count(s.checksum_errors), Fixed(s.checksum_error_pct, 2)),
      Count(s.header_missing),
      Count(s.overflows),
      Count(s.device_losses),
      Count(s.unknown_types),
      Count(s.short_frames),
  };
  for (std::size_t i = 0; i < values.size(); ++i)
    SetNumber(Table1, static_cast<int>(i / 2), static_cast<int>(i % 2) * 2 + 1, values[i]);
}

void LinkStatus::ShowTypes(const station::LinkHealthSnapshot& s) {
  Table2->setRowCount(static_cast<int>(s.types.size()));
  int row = 0;
  for (const station::TypeHealth& t : s.types) {
    // A TYPE seen once has no period yet: a dash, not a misleading 0.
    const bool period_known = t.period_median_s > 0;
    auto ms = [&](double seconds) {
      return period_known ? Fixed(seconds * 1000, 2) : QStringLiteral("—");
    };
    const std::array<QString, 9> cells = {
        QString::fromStdString(link::TypeText(t.type)),
        Count(t.frames),
        Fixed(t.rate_1s, 1),
        Fixed(t.rate_10s, 1),
        ms(t.period_median_s),
        ms(t.jitter_median_s),
        ms(t.jitter_p99_s),
        Fixed(t.since_last_s, 1),
        t.stale ? QStringLiteral("是") : QString(),
    };
    for (std::size_t c = 0; c < cells.size(); ++c)
      SetNumber(Table2, row, static_cast<int>(c), cells[c]);
    Cell(Table2, row, 0)->setTextAlignment(Qt::AlignCenter);
    Cell(Table2, row, 8)->setTextAlignment(Qt::AlignCenter);
    ++row;
  }
}

void LinkStatus::Command1_Click() {
  health_.Reset();
  Refresh();
}

void LinkStatus::showEvent(QShowEvent* event) {
  Refresh();
  Timer1.SetEnabled(true);
  QWidget::showEvent(event);
}

void LinkStatus::hideEvent(QHideEvent* event) {
  Timer1.SetEnabled(false);
  QWidget::hideEvent(event);
}

}  // namespace tarvel::windows
