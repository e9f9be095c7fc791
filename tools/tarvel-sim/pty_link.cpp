#include "pty_link.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace tarvel::simtool {
namespace {

std::string Reason(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

PtyLink::~PtyLink() {
  if (!link_.empty()) {
    // Only our own link: another simulator may have taken the name over since.
    std::vector<char> target(device_.size() + 2);
    const ssize_t n = readlink(link_.c_str(), target.data(), target.size());
    if (n >= 0 && std::string(target.data(), static_cast<std::size_t>(n)) == device_) {
      unlink(link_.c_str());
    }
  }
  if (master_ >= 0) close(master_);
}

bool PtyLink::Open(std::string& error) {
  int slave = -1;
  if (openpty(&master_, &slave, nullptr, nullptr, nullptr) != 0) {
    error = Reason("openpty");
    return false;
  }
  // Raw: no echo, no line editing, no translation of CR or NL, 8 data bits. The settings stay
  // with the pseudo-terminal when the device is closed and opened again.
  termios tio{};
  bool ok = tcgetattr(slave, &tio) == 0;
  if (ok) {
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    ok = tcsetattr(slave, TCSANOW, &tio) == 0;
  }
  if (!ok) error = Reason("setting raw mode");
  const char* name = ok ? ttyname(slave) : nullptr;
  if (ok && name == nullptr) {
    error = Reason("ttyname");
    ok = false;
  }
  if (ok) device_ = name;
  // Our copy of the device is closed, so the station's open and close are what the master
  // sees as connect and hang-up.
  close(slave);
  const int flags = fcntl(master_, F_GETFL);
  if (ok && (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0)) {
    error = Reason("fcntl");
    ok = false;
  }
  return ok;
}

bool PtyLink::CreateLink(const std::string& path, std::string& error) {
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    error = path + " exists and is not a symbolic link";
    return false;
  }
  // Made under a temporary name and renamed over the old link, so the name never dangles.
  const std::string temporary = path + ".tarvel-sim-" + std::to_string(getpid());
  unlink(temporary.c_str());
  if (symlink(device_.c_str(), temporary.c_str()) != 0) {
    error = Reason(("symlink " + path).c_str());
    return false;
  }
  if (rename(temporary.c_str(), path.c_str()) != 0) {
    error = Reason(("rename to " + path).c_str());
    unlink(temporary.c_str());
    return false;
  }
  link_ = path;
  return true;
}

std::size_t PtyLink::Read(std::span<std::uint8_t> buffer, int timeout_ms) {
  pollfd p{master_, POLLIN, 0};
  const int ready = poll(&p, 1, timeout_ms);
  if (ready <= 0) {
    // Timeout (the station is there but quiet) or a signal. A timeout means no hang-up.
    if (ready == 0) connected_ = true;
    return 0;
  }
  if (p.revents & POLLIN) {
    const ssize_t n = read(master_, buffer.data(), buffer.size());
    if (n > 0) {
      connected_ = true;
      return static_cast<std::size_t>(n);
    }
    // EIO: the last holder of the device closed it.
    if (n < 0 && errno != EAGAIN && errno != EINTR) connected_ = false;
  } else {
    connected_ = (p.revents & (POLLHUP | POLLERR)) == 0;
  }
  // A hung-up master polls ready at once; wait out the timeout here so callers never spin.
  if (!connected_) poll(nullptr, 0, timeout_ms);
  return 0;
}

std::size_t PtyLink::Write(std::span<const std::uint8_t> bytes) {
  if (!connected_ || bytes.empty()) return 0;
  const ssize_t n = write(master_, bytes.data(), bytes.size());
  if (n >= 0) return static_cast<std::size_t>(n);
  if (errno == EIO) connected_ = false;
  return 0;  // EAGAIN: the station is not reading; the bytes are lost as on a real line
}

}  // namespace tarvel::simtool
