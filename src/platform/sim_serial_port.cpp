#include "platform/sim_serial_port.h"

#include <algorithm>
#include <chrono>

#include "sim/board.h"

namespace tarvel::platform {
namespace {

// After a stall (a modal dialog, a suspended laptop) the model catches up at most this much, so
// the station is not flooded with a burst of old frames.
constexpr int kMaxCatchUpMs = 200;

}  // namespace

SimSerialPort::SimSerialPort(QObject* parent) : SerialPort(parent) {
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &SimSerialPort::OnTick);
}

SimSerialPort::~SimSerialPort() = default;

void SimSerialPort::Open() {
  if (open_) return;
  if (!board_) board_ = std::make_unique<sim::Board>();
  open_ = true;
  pending_.clear();
  clock_.start();
  timer_.start();
}

void SimSerialPort::Close() {
  open_ = false;
  timer_.stop();
  pending_.clear();
}

bool SimSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (!open_) return false;
  board_->Receive(bytes, pending_);
  return true;
}

void SimSerialPort::OnTick() {
  const auto elapsed = static_cast<int>(clock_.restart());
  Advance(std::min(elapsed, kMaxCatchUpMs));
}

void SimSerialPort::Advance(int elapsed_ms) {
  if (!open_) return;
  board_->Advance(std::chrono::milliseconds(elapsed_ms), pending_);
  if (pending_.empty()) return;
  const QByteArray bytes(reinterpret_cast<const char*>(pending_.data()),
                         static_cast<qsizetype>(pending_.size()));
  pending_.clear();
  emit bytesReceived(bytes);
}

}  // namespace tarvel::platform
