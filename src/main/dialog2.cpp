#include "main/dialog2.h"

#include <QLabel>
#include <QPushButton>

namespace tarvel::main_window {

Dialog2::Dialog2(std::function<void()> on_accept, QWidget* parent)
    : QWidget(parent, Qt::Dialog), on_accept_(std::move(on_accept)) {
  setWindowTitle(QStringLiteral("陀螺仪初始化"));
  setFixedSize(340, 130);
  Label1 = new QLabel(QStringLiteral("请将模块静止放置，以便采集陀螺仪的零偏"), this);
  Label1->setGeometry(20, 20, 300, 40);
  Label1->setWordWrap(true);
  OKButton = new QPushButton(QStringLiteral("确定"), this);
  OKButton->setGeometry(70, 80, 90, 30);
  OKButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("取消"), this);
  CancelButton->setGeometry(180, 80, 90, 30);
  connect(OKButton, &QPushButton::clicked, this, &Dialog2::OKButton_Click);
  connect(CancelButton, &QPushButton::clicked, this, &Dialog2::CancelButton_Click);
}

void Dialog2::OKButton_Click() {
  if (on_accept_) on_accept_();
  hide();
}

}  // namespace tarvel::main_window
