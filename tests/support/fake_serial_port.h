#pragma once
// A serial port for tests and benchmarks: records every frame written, and lets the test
// deliver bytes, overflows and the loss of the device as a real port would.

#include <vector>

#include "platform/serial_port.h"

namespace tarvel::test_support {

class FakeSerialPort final : public platform::SerialPort {
  Q_OBJECT

 public:
  using platform::SerialPort::SerialPort;

  bool IsOpen() const override { return open_; }
  void Open() override {
    ++open_calls;
    if (!fail_open) open_ = true;
  }
  void Close() override { open_ = false; }
  bool Write(std::span<const std::uint8_t> bytes) override {
    if (!open_) return false;
    written.emplace_back(bytes.begin(), bytes.end());
    return true;
  }
  void DiscardBuffers() override { ++discards; }

  // Delivers bytes as if they had arrived on the line.
  void Deliver(const QByteArray& bytes) { emit bytesReceived(bytes); }
  void Deliver(std::span<const std::uint8_t> bytes) {
    Deliver(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<qsizetype>(bytes.size())));
  }
  void SignalOverflow() { emit overflow(); }
  // The device goes away: the port closes and says so.
  void LoseDevice() {
    open_ = false;
    emit deviceLost(QStringLiteral("设备已移除"));
  }

  bool fail_open = false;  // Open() leaves the port closed, like a missing or busy device
  int open_calls = 0;
  int discards = 0;
  std::vector<std::vector<std::uint8_t>> written;

 protected:
  bool ApplyLineSettings(const serial::LineSettings&) override { return true; }

 private:
  bool open_ = false;
};

}  // namespace tarvel::test_support
