#include "app/command_line.h"

#include "main/osc.h"
#include "widgets/switch_led.h"

namespace tarvel::app {
namespace {

const QString kPortChoices = QStringLiteral("1 到 16 的编号、设备路径或 SIM");

// "--name=value" split at the first '='; no '=' leaves the value unset.
struct Split {
  QString name;
  std::optional<QString> value;
};

// The options QGuiApplication and QApplication take out of the arguments they are given, with
// one dash or two.
bool IsQtOption(const QString& name) {
  static const QStringList kNames = {"platform",      "platformpluginpath",
                                     "platformtheme", "plugin",
                                     "qmljsdebugger", "qwindowgeometry",
                                     "qwindowicon",   "qwindowtitle",
                                     "reverse",       "session",
                                     "display",       "geometry",
                                     "style",         "stylesheet",
                                     "widgetcount",   "nograb",
                                     "dograb",        "sync"};
  QString bare = name.section(QLatin1Char('='), 0, 0);
  if (bare.startsWith(QLatin1String("--"))) bare.remove(0, 1);
  return bare.startsWith(QLatin1Char('-')) && kNames.contains(bare.mid(1));
}

Split SplitOption(const QString& argument) {
  const qsizetype eq = argument.indexOf(QLatin1Char('='));
  if (!argument.startsWith(QLatin1String("--")) || eq < 0) return {argument, std::nullopt};
  return {argument.left(eq), argument.mid(eq + 1)};
}

}  // namespace

CommandLineParse ParseCommandLine(const QStringList& arguments) {
  CommandLineParse r;
  auto fail = [&r](const QString& why) {
    r.error = why;
    return r;
  };
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const auto [name, value] = SplitOption(arguments[i]);
    if (name == QLatin1String("--port")) {
      if (r.options.port) return fail(QStringLiteral("--port 只能指定一次"));
      QString text;
      if (value) {
        text = *value;
      } else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-'))) {
        text = arguments[++i];  // a port never starts with '-': that is the next option
      }
      if (text.trimmed().isEmpty())
        return fail(QStringLiteral("--port 缺少端口 (") + kPortChoices + ')');
      r.options.port = serial::PortName::FromText(text.toStdString());
      if (!r.options.port) {
        return fail(QStringLiteral("--port 的值不是可用的端口: ") + text +
                    QStringLiteral(" (应为 ") + kPortChoices + ')');
      }
      continue;
    }
    bool* flag = nullptr;
    if (name == QLatin1String("--connect")) flag = &r.options.connect;
    if (name == QLatin1String("-h") || name == QLatin1String("--help")) flag = &r.options.help;
    if (name == QLatin1String("-v") || name == QLatin1String("--version")) {
      flag = &r.options.version;
    }
    if (flag == nullptr) {
      r.qt_option = IsQtOption(arguments[i]);
      return fail((name.startsWith(QLatin1Char('-')) ? QStringLiteral("未知选项: ")
                                                     : QStringLiteral("多余的参数: ")) +
                  arguments[i]);
    }
    if (value) return fail(name + QStringLiteral(" 不带值"));
    *flag = true;
  }
  return r;
}

QString HelpText() {
  return QStringLiteral(
      "用法: tarvel-station [选项]\n"
      "\n"
      "Tarvel AHRS 姿态板和 Voranta 飞控的地面站。\n"
      "\n"
      "选项:\n"
      "  --port <端口>     本次运行使用的串口: 1 到 16 的编号 (Windows 上为 COM1 到 COM16,\n"
      "                    其他系统为 /dev/ttyS0 到 /dev/ttyS15)、设备路径 (如 /dev/ttyUSB0)\n"
      "                    或 SIM (内置的模拟板)。只用于本次运行, 不写入 OSC.ini\n"
      "  --connect         启动完成后打开端口, 如同点击“连接 AHRS”开关\n"
      "  -h, --help        显示本帮助并退出\n"
      "  -v, --version     显示版本并退出\n");
}

QString VersionText() {
  return QStringLiteral("tarvel-station " TARVEL_VERSION "\n");
}

void ApplyCommandLine(main_window::OSC& osc, const CommandLine& options) {
  if (!options.port && !options.connect) return;
  // Connected after the window's own handler, so it runs once startup_init has put the stored
  // port on MSComm; single-shot, so a second tick could never turn the switch off again.
  QObject::connect(
      &osc.Timer_Getdata, &platform::Timer::tick, &osc,
      [&osc, options] {
        if (options.port) {
          osc.MSComm.SetPort(*options.port);
          osc.Show_msg(QStringLiteral("本次运行使用命令行指定的端口: ") +
                       QString::fromStdString(options.port->DisplayName()));
        }
        // A click flips the lever with the port, as the user's own click would.
        if (options.connect && !osc.MSComm.IsOpen()) osc.iSwitchLedX1->click();
      },
      Qt::SingleShotConnection);
}

}  // namespace tarvel::app
