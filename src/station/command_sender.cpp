#include "station/command_sender.h"

#include "platform/serial_port.h"

namespace tarvel::station {

CommandSender::CommandSender(LinkSession& session, LinkHealth& health, QObject* parent)
    : QObject(parent), session_(session), health_(health) {}

bool CommandSender::Write(std::span<const std::uint8_t> frame) {
  platform::SerialPort& port = session_.port();
  if (!port.IsOpen()) return false;
  port.Write(frame);
  health_.OnBytesSent(frame.size(), session_.Now());
  return true;
}

bool CommandSender::Send(std::span<const std::uint8_t> frame) {
  if (!Write(frame)) return false;
  emit sent();
  return true;
}

bool CommandSender::SendLogged(std::span<const std::uint8_t> frame, const QString& what) {
  if (!Write(frame)) return false;
  emit message(what + QStringLiteral(" 命令已经发送！"));
  emit message(QStringLiteral("命令格式(HEX): ") + HexText(frame));
  emit sent();
  return true;
}

QString CommandSender::HexText(std::span<const std::uint8_t> frame) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  QString text;
  text.reserve(static_cast<qsizetype>(frame.size() * 3));
  for (std::uint8_t b : frame) {
    if (!text.isEmpty()) text += QLatin1Char(' ');
    text += QLatin1Char(kDigits[b >> 4]);
    text += QLatin1Char(kDigits[b & 0x0F]);
  }
  return text;
}

}  // namespace tarvel::station
