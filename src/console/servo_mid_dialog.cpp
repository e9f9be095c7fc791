#include "console/servo_mid_dialog.h"

#include <QLabel>
#include <QPushButton>

namespace tarvel::console {

servomid::servomid(std::function<void()> on_accept, QWidget* parent)
    : QWidget(parent, Qt::Dialog), on_accept_(std::move(on_accept)) {
  setWindowTitle(QStringLiteral("记录中立位置"));
  setFixedSize(400, 190);
  Label1 = new QLabel(
      QStringLiteral("此命令将使飞控记录当前的通道值做为中立的值。比如当通道1 的当前值为1550  "
                     "那么在完成记录中立后，飞控下次接收到的1550 将会被记为1500us. 此时1600us "
                     "的输入，飞控也会当成 1550us处理。你确定要记录当前的值做为中立值吗？"),
      this);
  Label1->setGeometry(20, 16, 360, 110);
  Label1->setWordWrap(true);
  Label1->setTextFormat(Qt::PlainText);
  Command1 = new QPushButton(QStringLiteral("记录"), this);
  Command1->setGeometry(90, 140, 90, 30);
  Command2 = new QPushButton(QStringLiteral("取消"), this);
  Command2->setGeometry(220, 140, 90, 30);
  Command2->setDefault(true);  // the harmless choice answers Enter
  connect(Command1, &QPushButton::clicked, this, &servomid::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &servomid::Command2_Click);
}

void servomid::Command1_Click() {
  if (on_accept_) on_accept_();
  hide();
}

}  // namespace tarvel::console
