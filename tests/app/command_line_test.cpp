// Parsing the station's command line: what each argument list turns into, and what is refused.

#include "app/command_line.h"

#include <gtest/gtest.h>

namespace tarvel::app {
namespace {

struct Accepted {
  QStringList args;
  std::optional<serial::PortName> port;
  bool connect, help, version;
};

class AcceptedTest : public ::testing::TestWithParam<Accepted> {};

TEST_P(AcceptedTest, GivesTheOptions) {
  const Accepted& c = GetParam();
  const CommandLineParse r = ParseCommandLine(c.args);
  ASSERT_TRUE(r.ok()) << r.error.toStdString();
  EXPECT_EQ(r.options.port, c.port);
  EXPECT_EQ(r.options.connect, c.connect);
  EXPECT_EQ(r.options.help, c.help);
  EXPECT_EQ(r.options.version, c.version);
}

using serial::PortName;
INSTANTIATE_TEST_SUITE_P(
    CommandLine, AcceptedTest,
    ::testing::Values(
        Accepted{{}, std::nullopt, false, false, false},
        Accepted{{"--port", "3"}, PortName::Number(3), false, false, false},
        Accepted{{"--port=16"}, PortName::Number(16), false, false, false},
        Accepted{{"--connect", "--port", "/dev/ttyUSB0"},
                 PortName::Path("/dev/ttyUSB0"),
                 true,
                 false,
                 false},
        Accepted{{"--port", "sim", "--connect"}, PortName::Sim(), true, false, false},
        Accepted{{"--port=/tmp/a b"}, PortName::Path("/tmp/a b"), false, false, false},
        Accepted{{"--port", "/dev/板卡"}, PortName::Path("/dev/板卡"), false, false, false},
        Accepted{{"-h"}, std::nullopt, false, true, false},
        Accepted{{"--help", "--port", "2"}, PortName::Number(2), false, true, false},
        Accepted{{"-v"}, std::nullopt, false, false, true},
        Accepted{{"--version", "--connect"}, std::nullopt, true, false, true}));

struct Refused {
  QStringList args;
  const char* mentions;  // the error names what was wrong
  bool qt_option = false;
};

class RefusedTest : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedTest, SaysWhy) {
  const Refused& c = GetParam();
  const CommandLineParse r = ParseCommandLine(c.args);
  ASSERT_FALSE(r.ok());
  EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.mentions))) << r.error.toStdString();
  EXPECT_FALSE(r.error.contains('\n'));
  EXPECT_EQ(r.qt_option, c.qt_option);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, RefusedTest,
    ::testing::Values(Refused{{"--port", "17"}, "17"}, Refused{{"--port", "0"}, "0"},
                      Refused{{"--port=ttyUSB0"}, "ttyUSB0"},  // a relative path is no port
                      Refused{{"--port", "COM3"}, "COM3"}, Refused{{"--port"}, "缺少"},
                      Refused{{"--port="}, "缺少"}, Refused{{"--port", "  "}, "缺少"},
                      // The next option is not taken for the port.
                      Refused{{"--port", "--connect"}, "缺少"},
                      Refused{{"--port", "3", "--port", "4"}, "一次"},
                      Refused{{"--bogus"}, "--bogus"}, Refused{{"-p", "3"}, "-p"},
                      Refused{{"--Port", "3"}, "--Port"}, Refused{{"--connect=yes"}, "--connect"},
                      Refused{{"--help=1"}, "--help"}, Refused{{"3"}, "3"},
                      Refused{{"--connect", "--"}, "--"},
                      // Qt's own options are marked, so main() parses again once Qt took them.
                      Refused{{"-platform", "offscreen"}, "-platform", true},
                      Refused{{"--style=fusion"}, "--style", true},
                      Refused{{"--connect", "-reverse"}, "-reverse", true}));

TEST(CommandLineTextTest, HelpListsEveryOptionAndVersionNamesTheProgram) {
  const QString help = HelpText();
  for (const char* option : {"--port", "--connect", "-h, --help", "-v, --version", "SIM"})
    EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
  EXPECT_TRUE(help.endsWith('\n'));
  EXPECT_TRUE(VersionText().startsWith("tarvel-station "));
  EXPECT_TRUE(VersionText().endsWith('\n'));
}

}  // namespace
}  // namespace tarvel::app
