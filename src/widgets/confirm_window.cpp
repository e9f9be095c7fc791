#include "widgets/confirm_window.h"

#include <QLabel>
#include <QPushButton>

namespace tarvel::widgets {

ConfirmWindow::ConfirmWindow(const Layout& layout, std::function<void()> on_accept, QWidget* parent)
    : QWidget(parent, Qt::Dialog),
      Label1(new QLabel(layout.text, this)),
      accept_button(new QPushButton(layout.accept_text, this)),
      cancel_button(new QPushButton(layout.cancel_text, this)),
      on_accept_(std::move(on_accept)) {
  setWindowTitle(layout.caption);
  setFixedSize(layout.size);
  Label1->setGeometry(layout.text_place);
  Label1->setWordWrap(true);
  Label1->setTextFormat(Qt::PlainText);
  accept_button->setGeometry(layout.accept_place);
  cancel_button->setGeometry(layout.cancel_place);
  (layout.cancel_is_default ? cancel_button : accept_button)->setDefault(true);
  connect(accept_button, &QPushButton::clicked, this, &ConfirmWindow::Accept);
  connect(cancel_button, &QPushButton::clicked, this, &ConfirmWindow::Cancel);
}

void ConfirmWindow::Accept() {
  if (on_accept_) on_accept_();
  hide();
}

void ConfirmWindow::Cancel() {
  hide();
}

}  // namespace tarvel::widgets
