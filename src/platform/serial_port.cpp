#include "platform/serial_port.h"

namespace tarvel::platform {

bool SerialPort::SetLineSettings(std::string_view text) {
  const auto parsed = serial::LineSettings::FromText(text);
  if (!parsed) return false;
  if (IsOpen() && !ApplyLineSettings(*parsed)) return false;
  settings_ = *parsed;
  return true;
}

}  // namespace tarvel::platform
