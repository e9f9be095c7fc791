#pragma once
// The console's PWM channel values: receiver inputs CH1..CH6 (inch1..inch6) and motor/servo
// outputs CH1..CH8 (outch1..outch8), pulse widths in microseconds. The main window owns this
// record so the PWM frames can be stored while the console has never been opened; storing a
// frame never loads the console. The console shows the values on its own 20 ms tick.

#include <array>

#include "link/reports.h"

namespace tarvel::console {

struct ConsoleChannels {
  std::array<float, 6> inch{};   // inch1..inch6
  std::array<float, 8> outch{};  // outch1..outch8
};

// Decode_PWMIn and Decode_PWMOut: copy a decoded frame into the record, nothing else.
void StorePwmIn(ConsoleChannels& channels, const link::PwmInReport& report);
void StorePwmOut(ConsoleChannels& channels, const link::PwmOutReport& report);

}  // namespace tarvel::console
