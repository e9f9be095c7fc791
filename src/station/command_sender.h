#pragma once
// CommandSender: the one way a window sends a command frame to the board.
//
// Contract:
//  - A closed port makes every command a silent no-op: nothing written, nothing logged, no
//    lamp (Send returns false).
//  - With the port open the whole frame is written in one call. A write the driver refuses
//    still counts as sent, as the board's own tools have always treated it.
//  - SendLogged() then writes two lines to the message log: "<what> 命令已经发送！" and
//    "命令格式(HEX): A5 5A 04 E0 E4 AA". Every sent frame ends with sent() (the TXD lamp).

#include <QObject>
#include <QString>
#include <cstdint>
#include <span>

#include "station/link_session.h"

namespace tarvel::station {

class CommandSender : public QObject {
  Q_OBJECT

 public:
  // The session's port, health and clock are used; the session must outlive the sender.
  explicit CommandSender(LinkSession& session, LinkHealth& health, QObject* parent = nullptr);

  bool Send(std::span<const std::uint8_t> frame);
  bool SendLogged(std::span<const std::uint8_t> frame, const QString& what);

  // A line about a command for the message log (a command refused before sending, say).
  void Tell(const QString& line) { emit message(line); }

  // "A5 5A 04 E0 E4 AA": the frame as the log shows it.
  static QString HexText(std::span<const std::uint8_t> frame);

 signals:
  void message(const QString& line);  // a line for the message log
  void sent();                        // a frame went out (the TXD lamp)

 private:
  bool Write(std::span<const std::uint8_t> frame);

  LinkSession& session_;
  LinkHealth& health_;
};

}  // namespace tarvel::station
