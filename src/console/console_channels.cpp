#include "console/console_channels.h"

namespace tarvel::console {

void StorePwmIn(ConsoleChannels& channels, const link::PwmInReport& report) {
  channels.inch = report.channels;
}

void StorePwmOut(ConsoleChannels& channels, const link::PwmOutReport& report) {
  channels.outch = report.channels;
}

}  // namespace tarvel::console
