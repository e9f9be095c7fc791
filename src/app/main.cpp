// tarvel-station: the ground station program.

#include <QApplication>
#include <cstdio>
#include <optional>

#include "app/command_line.h"
#include "app/forms.h"
#include "main/osc.h"
#include "platform/qt_serial_port.h"
#include "platform/selecting_serial_port.h"
#include "platform/sim_serial_port.h"
#include "platform/stop_signals.h"
#include "settings/osc_ini_path.h"

namespace {

QStringList RawArguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i)
    arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}

// Answers --help and --version; nullopt when the program should go on.
std::optional<int> Answer(const tarvel::app::CommandLineParse& parsed) {
  using namespace tarvel::app;
  if (!parsed.ok()) {
    Print(stderr, QStringLiteral("tarvel-station: ") + parsed.error +
                      QStringLiteral("\n用 tarvel-station --help 查看可用的选项。\n"));
    return 2;
  }
  if (parsed.options.help) Print(stdout, HelpText());
  if (!parsed.options.help && parsed.options.version) Print(stdout, VersionText());
  if (parsed.options.help || parsed.options.version) return 0;
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt looks for a display, so --help, --version and mistakes are reported in
  // any terminal; with Qt's own options (-platform, -style, ...) among the arguments they are
  // parsed again once QApplication has taken those out.
  const tarvel::app::CommandLineParse early =
      tarvel::app::ParseCommandLine(RawArguments(argc, argv));
  if (!early.qt_option) {
    if (const auto status = Answer(early)) return *status;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tarvel-station"));
  QApplication::setOrganizationName(QStringLiteral("tarvel"));
  const tarvel::app::CommandLineParse parsed =
      tarvel::app::ParseCommandLine(QApplication::arguments().mid(1));
  if (const auto status = Answer(parsed)) return *status;  // before any window exists
  tarvel::platform::QuitOnStopSignals();

  tarvel::platform::QtSerialPort real_port;
  tarvel::platform::SimSerialPort simulated_board;
  tarvel::platform::SelectingSerialPort port(real_port, simulated_board);

  tarvel::app::Forms forms(port, tarvel::settings::OscIniPath());
  tarvel::app::ApplyCommandLine(forms.osc(), parsed.options);
  forms.osc().show();
  return QApplication::exec();
}
