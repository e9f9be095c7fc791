#include "settings/startup_settings.h"

#include <cmath>
#include <optional>

#include "format/lenient_number.h"

namespace tarvel::settings {
namespace {

std::string IgnoredLine(std::string_view key, std::string_view value, std::string_view defaults) {
  std::string line = "OSC.ini 中 ";
  line.append(key).append(" 的值 \"").append(value).append("\" 无法使用,已改用默认值 ");
  line.append(defaults);
  return line;
}

// A usable resolution: text that begins with a positive, finite number.
std::optional<double> Resolution(std::string_view text) {
  const double v = format::ParseLeadingNumber(text);
  if (!std::isfinite(v) || v <= 0) return std::nullopt;
  return v;
}

}  // namespace

StartupSettings ResolveStartupSettings(
    const std::function<std::string(std::string_view key)>& read_value) {
  StartupSettings s;

  const std::string settings_text = read_value("Settings");
  const std::string port_text = read_value("Port");
  if (!settings_text.empty() && !port_text.empty()) {
    const auto port = serial::PortName::FromText(port_text);
    const auto line = serial::LineSettings::FromText(settings_text);
    const std::string defaults = "1 和 " + s.line_settings.Text();
    if (!port) s.ignored.push_back(IgnoredLine("Port", port_text, defaults));
    if (!line) s.ignored.push_back(IgnoredLine("Settings", settings_text, defaults));
    if (port && line) {
      s.port = *port;
      s.line_settings = *line;
    }
  }

  const std::string gyro_text = read_value("GYRO_Resolution");
  const std::string acc_text = read_value("ACC_Resolution");
  if (!gyro_text.empty() && !acc_text.empty()) {
    const auto gyro = Resolution(gyro_text);
    const auto acc = Resolution(acc_text);
    const std::string defaults = "32.8 和 16384";
    if (!gyro) s.ignored.push_back(IgnoredLine("GYRO_Resolution", gyro_text, defaults));
    if (!acc) s.ignored.push_back(IgnoredLine("ACC_Resolution", acc_text, defaults));
    if (gyro && acc) {
      s.gyro_resolution = *gyro;
      s.acc_resolution = *acc;
    }
  }
  return s;
}

}  // namespace tarvel::settings
