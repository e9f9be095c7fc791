#include "windows/about_windows.h"

#include <QLabel>
#include <QPushButton>

#include "windows/about_picture.h"

namespace tarvel::windows {
namespace {

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h = 22) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(x, y, w, h);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

}  // namespace

about::about(QWidget* parent) : QWidget(parent, Qt::Dialog) {
  setWindowTitle(QStringLiteral("关于本程序-Tarvel AHRS上位机"));
  setFixedSize(420, 330);
  Picture1 = MakeLabel(this, QString(), 20, 20, 180, 180);
  Picture1->setPixmap(BoardPicture(QSize(180, 180)));
  Label3 = MakeLabel(this, QStringLiteral("Tarvel AHRS Fight上位机 版本: Release-2.8"), 215, 30,
                     190, 44);
  Label2 = MakeLabel(this, QLatin1String(station::kShopHost), 215, 90, 190);
  Label1 = MakeLabel(this, QStringLiteral("Tarvel 出品  作者: Tarvel 开发组"), 20, 220, 380);
  Command1 = new QPushButton(QStringLiteral("OK"), this);
  Command1->setGeometry(320, 280, 80, 30);
  connect(Command1, &QPushButton::clicked, this, &about::Command1_Click);
}

flyabout::flyabout(QWidget* parent) : QWidget(parent, Qt::Dialog) {
  setWindowTitle(QStringLiteral("关于飞控 ") + QLatin1String(station::kSiteHost));
  setFixedSize(420, 330);
  Picture1 = MakeLabel(this, QString(), 20, 20, 180, 180);
  Picture1->setPixmap(AircraftPicture(QSize(180, 180)));
  Label1 = MakeLabel(this, QStringLiteral("Voranta飞控上位机  版本 Release-2.8"), 215, 30, 190, 44);
  Label2 = MakeLabel(this,
                     QStringLiteral("作者: Tarvel 开发组  邮箱: ") +
                         QLatin1String(station::kAuthorEmail) + QStringLiteral("  网站: ") +
                         QLatin1String(station::kSiteHost),
                     20, 215, 380, 44);
  Label3 = MakeLabel(this, QStringLiteral("官方网址  ") + QLatin1String(station::kShopAddress), 20,
                     262, 290);
  Command1 = new QPushButton(QStringLiteral("OK"), this);
  Command1->setGeometry(320, 280, 80, 30);
  connect(Command1, &QPushButton::clicked, this, &flyabout::Command1_Click);
}

}  // namespace tarvel::windows
