#pragma once
// Which serial port the station talks to, as the settings file stores it: a number 1..16, a
// device path, or the word SIM for the built-in simulated board.

#include <optional>
#include <string>
#include <string_view>

namespace tarvel::serial {

class PortName {
 public:
  static constexpr int kFirstNumber = 1;
  static constexpr int kLastNumber = 16;

  // Port 1, the default.
  PortName() = default;
  static PortName Number(int n);  // n must be within kFirstNumber..kLastNumber
  static PortName Path(std::string path);
  static PortName Sim();

  // Parses a stored port text: blanks around it are ignored; "3" is port 3, a text starting
  // with "/" (or "\\" on Windows) is a device path, "SIM" in any case is the simulated board.
  // Anything else (including numbers outside 1..16) is not a port.
  static std::optional<PortName> FromText(std::string_view text);

  bool is_number() const { return kind_ == Kind::kNumber; }
  bool is_sim() const { return kind_ == Kind::kSim; }
  int number() const { return number_; }

  // The text the settings file keeps: "3", "/dev/ttyUSB0", "SIM".
  std::string Text() const;
  // What messages and captions show: "COM3", "/dev/ttyUSB0", "SIM".
  std::string DisplayName() const;
  // The name the operating system opens: "COM3" on Windows and "/dev/ttyS2" elsewhere for a
  // number, the path itself for a path.
  std::string SystemName() const;

  friend bool operator==(const PortName&, const PortName&) = default;

 private:
  enum class Kind { kNumber, kPath, kSim };
  Kind kind_ = Kind::kNumber;
  int number_ = 1;
  std::string path_;
};

}  // namespace tarvel::serial
