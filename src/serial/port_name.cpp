#include "serial/port_name.h"

#include <cassert>

#include "format/trim.h"

namespace tarvel::serial {
namespace {

using format::TrimBlanks;

bool IsSimWord(std::string_view s) {
  if (s.size() != 3) return false;
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  return upper(s[0]) == 'S' && upper(s[1]) == 'I' && upper(s[2]) == 'M';
}

}  // namespace

PortName PortName::Number(int n) {
  assert(n >= kFirstNumber && n <= kLastNumber);
  PortName p;
  p.number_ = n;
  return p;
}

PortName PortName::Path(std::string path) {
  PortName p;
  p.kind_ = Kind::kPath;
  p.path_ = std::move(path);
  return p;
}

PortName PortName::Sim() {
  PortName p;
  p.kind_ = Kind::kSim;
  return p;
}

std::optional<PortName> PortName::FromText(std::string_view text) {
  const std::string_view t = TrimBlanks(text);
  if (t.empty()) return std::nullopt;
  if (IsSimWord(t)) return Sim();
  if (t.front() == '/') return Path(std::string(t));
#ifdef _WIN32
  if (t.front() == '\\') return Path(std::string(t));
#endif
  if (t.size() > 2) return std::nullopt;
  int n = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n < kFirstNumber || n > kLastNumber) return std::nullopt;
  return Number(n);
}

std::string PortName::Text() const {
  switch (kind_) {
    case Kind::kNumber: return std::to_string(number_);
    case Kind::kPath: return path_;
    case Kind::kSim: return "SIM";
  }
  return {};
}

std::string PortName::DisplayName() const {
  return is_number() ? "COM" + std::to_string(number_) : Text();
}

std::string PortName::SystemName() const {
  if (!is_number()) return Text();
#ifdef _WIN32
  return "COM" + std::to_string(number_);
#else
  return "/dev/ttyS" + std::to_string(number_ - 1);
#endif
}

}  // namespace tarvel::serial
