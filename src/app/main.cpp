// tarvel-station: the ground station program.

#include <QApplication>

#include "app/forms.h"
#include "main/osc.h"
#include "platform/qt_serial_port.h"
#include "platform/selecting_serial_port.h"
#include "platform/sim_serial_port.h"
#include "settings/osc_ini_path.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tarvel-station"));
  QApplication::setOrganizationName(QStringLiteral("tarvel"));

  tarvel::platform::QtSerialPort real_port;
  tarvel::platform::SimSerialPort simulated_board;
  tarvel::platform::SelectingSerialPort port(real_port, simulated_board);

  tarvel::app::Forms forms(port, tarvel::settings::OscIniPath());
  forms.osc().show();
  return QApplication::exec();
}
