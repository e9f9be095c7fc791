#pragma once
// The simulator's end of a pseudo-terminal. The other end (the device) is left in raw mode for
// the station to open as a serial port, as often as it likes.
//
// The master is non-blocking. While nobody has the device open the master reports a hang-up;
// Connected() tells, and whatever the board sends meanwhile is dropped, as on a serial line
// with nobody listening.

#include <cstdint>
#include <span>
#include <string>

namespace tarvel::simtool {

class PtyLink {
 public:
  PtyLink() = default;
  PtyLink(const PtyLink&) = delete;
  PtyLink& operator=(const PtyLink&) = delete;
  // Closes the pseudo-terminal and removes the symbolic link if it still points to it.
  ~PtyLink();

  // Creates the pseudo-terminal. False with a reason in `error` on failure.
  bool Open(std::string& error);
  // Makes `path` a symbolic link to the device. An existing symbolic link is replaced; any
  // other file at `path` is left alone and the call fails.
  bool CreateLink(const std::string& path, std::string& error);

  const std::string& device() const { return device_; }

  // Waits up to `timeout_ms` for bytes from the station and reads them into `buffer`. Returns
  // the number read (0 if none); sets connected() from what the master reports. While nobody
  // has the device open it sleeps for the timeout. A signal ends the wait early.
  std::size_t Read(std::span<std::uint8_t> buffer, int timeout_ms);
  // Writes as much of `bytes` as the device takes now; returns how many went. Nothing goes
  // while nobody has the device open.
  std::size_t Write(std::span<const std::uint8_t> bytes);

  bool connected() const { return connected_; }

 private:
  int master_ = -1;
  std::string device_;
  std::string link_;
  bool connected_ = false;
};

}  // namespace tarvel::simtool
