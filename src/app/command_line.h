#pragma once
// The station's command line: which port this run uses and whether to connect at once, plus
// --help and --version. Parsing is pure (arguments in, options or a reason out) so it is tested
// without windows; main() prints and exits, ApplyCommandLine() hands the options to the window.
//
// Options:
//   --port PORT, --port=PORT   a number 1..16, a device path or SIM; this run only, the stored
//                              port in OSC.ini is left as it is
//   --connect                  turn the connect switch on once start-up is done
//   -h, --help / -v, --version

#include <QString>
#include <QStringList>
#include <optional>

#include "serial/port_name.h"

namespace tarvel::main_window {
class OSC;
}

namespace tarvel::app {

struct CommandLine {
  std::optional<serial::PortName> port;  // replaces the stored port for this run
  bool connect = false;
  bool help = false;
  bool version = false;
};

// The options, or (error not empty) why the arguments were refused, in one line.
struct CommandLineParse {
  CommandLine options;
  QString error;
  // The refused argument is one of the options Qt takes for itself (-platform, -style, ...):
  // parse again once QApplication has taken them out.
  bool qt_option = false;

  bool ok() const { return error.isEmpty(); }
};

// `arguments` without the program name. Every argument must be one of the options above: an
// unknown option, a missing or unusable port, a repeated --port or a stray word is an error.
CommandLineParse ParseCommandLine(const QStringList& arguments);

// What --help prints, ending with a newline.
QString HelpText();
// What --version prints: "tarvel-station 0.1.0", ending with a newline.
QString VersionText();

// Once the window's deferred start-up has read OSC.ini (its Timer_Getdata tick, once): puts the
// --port choice on the window's port, says so in the log, and for --connect operates the
// connect switch as a click would (lever up, the switch's handler opens the port). Call it
// after the window is made and before its start-up tick; options asking for neither change
// nothing.
void ApplyCommandLine(main_window::OSC& osc, const CommandLine& options);

}  // namespace tarvel::app
