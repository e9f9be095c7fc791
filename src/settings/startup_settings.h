#pragma once
// What the station takes from the settings file when it starts: the port and its line
// settings, and the two sensor resolutions. The keys come in pairs that are used together:
// "Port" with "Settings" and "GYRO_Resolution" with "ACC_Resolution". A pair with a missing or
// empty key takes its defaults; so does a pair holding a value the station cannot use (a port
// that is neither 1..16, a device path nor SIM; line settings the port refuses; a resolution
// that is not a positive number), and then one message per ignored key says so.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "serial/line_settings.h"
#include "serial/port_name.h"

namespace tarvel::settings {

inline constexpr std::string_view kIniSection = "COM";
inline constexpr double kDefaultAccResolution = 16384.0;
inline constexpr double kDefaultGyroResolution = 32.8;

struct StartupSettings {
  serial::PortName port;               // port 1
  serial::LineSettings line_settings;  // 115200,n,8,1
  double acc_resolution = kDefaultAccResolution;
  double gyro_resolution = kDefaultGyroResolution;
  // One message line (UTF-8) for every stored value that was ignored.
  std::vector<std::string> ignored;
};

// Reads the four keys through `read_value` (key -> stored text, "" when missing), in the order
// "Settings", "Port", "GYRO_Resolution", "ACC_Resolution".
StartupSettings ResolveStartupSettings(
    const std::function<std::string(std::string_view key)>& read_value);

}  // namespace tarvel::settings
