#pragma once
// FormSlot: the life of one window of the station.
//  - Created on first use (get()); the window's load step runs on its first show or on the
//    first update of one of its widgets, which is the window's own business.
//  - Its OK or return buttons only hide it: it keeps its content.
//  - Its close box unloads it: the window goes away (deleted once the close has finished) and
//    the next use creates it anew, so its load step runs again. What other windows write for
//    it lives in the station's records and survives.
// Windows kept here never refuse to close.

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace tarvel::app {

template <class W>
class FormSlot final : public QObject {
 public:
  using Make = std::function<std::unique_ptr<W>()>;

  explicit FormSlot(Make make) : make_(std::move(make)) {}
  ~FormSlot() override {
    for (const QPointer<W>& w : closing_)
      delete w.data();
    delete window_;
  }
  FormSlot(const FormSlot&) = delete;
  FormSlot& operator=(const FormSlot&) = delete;

  W& get() {
    if (!window_) {
      window_ = make_().release();
      window_->installEventFilter(this);
    }
    return *window_;
  }
  // The window if it exists now, or nullptr.
  W* find() const { return window_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close && watched == window_) {
      closing_.push_back(window_);
      window_->deleteLater();
      window_ = nullptr;
    }
    return false;
  }

 private:
  Make make_;
  W* window_ = nullptr;
  std::vector<QPointer<W>> closing_;  // closed, waiting for their deletion
};

}  // namespace tarvel::app
