#include "settings/startup_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tarvel::settings {
namespace {

StartupSettings Resolve(const std::map<std::string, std::string, std::less<>>& file) {
  return ResolveStartupSettings([&](std::string_view key) {
    const auto it = file.find(key);
    return it == file.end() ? std::string() : it->second;
  });
}

TEST(StartupSettingsTest, EmptyFileGivesTheDefaults) {
  const StartupSettings s = Resolve({});
  EXPECT_EQ(s.port, serial::PortName::Number(1));
  EXPECT_EQ(s.line_settings.Text(), "115200,n,8,1");
  EXPECT_EQ(s.acc_resolution, 16384.0);
  EXPECT_EQ(s.gyro_resolution, 32.8);
  EXPECT_TRUE(s.ignored.empty());
}

TEST(StartupSettingsTest, CompletePairsAreUsed) {
  const StartupSettings s = Resolve({{"Port", "3"},
                                     {"Settings", "9600,e,7,2"},
                                     {"GYRO_Resolution", "16.4"},
                                     {"ACC_Resolution", "8192abc"}});
  EXPECT_EQ(s.port, serial::PortName::Number(3));
  EXPECT_EQ(s.line_settings.Text(), "9600,e,7,2");
  EXPECT_EQ(s.gyro_resolution, 16.4);
  EXPECT_EQ(s.acc_resolution, 8192.0);
  EXPECT_TRUE(s.ignored.empty());
}

TEST(StartupSettingsTest, IncompletePairTakesItsDefaultsSilently) {
  const StartupSettings s =
      Resolve({{"Settings", "9600,n,8,1"}, {"ACC_Resolution", "8192"}, {"GYRO_Resolution", ""}});
  EXPECT_EQ(s.port, serial::PortName::Number(1));
  EXPECT_EQ(s.line_settings.Text(), "115200,n,8,1");
  EXPECT_EQ(s.acc_resolution, 16384.0);
  EXPECT_EQ(s.gyro_resolution, 32.8);
  EXPECT_TRUE(s.ignored.empty());
}

TEST(StartupSettingsTest, DevicePathsAndTheSimulatorAreUsablePorts) {
  EXPECT_EQ(Resolve({{"Port", "/dev/ttyUSB0"}, {"Settings", "921600,n,8,1"}}).port,
            serial::PortName::Path("/dev/ttyUSB0"));
  EXPECT_TRUE(Resolve({{"Port", "SIM"}, {"Settings", "115200,n,8,1"}}).port.is_sim());
}

struct BadPair {
  std::map<std::string, std::string, std::less<>> file;
  std::string ignored_key;
};

class StartupSettingsBadValueTest : public ::testing::TestWithParam<BadPair> {};

TEST_P(StartupSettingsBadValueTest, UnusableValueGivesThePairsDefaultsAndOneLine) {
  const StartupSettings s = Resolve(GetParam().file);
  EXPECT_EQ(s.port, serial::PortName::Number(1));
  EXPECT_EQ(s.line_settings.Text(), "115200,n,8,1");
  EXPECT_EQ(s.acc_resolution, 16384.0);
  EXPECT_EQ(s.gyro_resolution, 32.8);
  ASSERT_EQ(s.ignored.size(), 1u);
  EXPECT_NE(s.ignored[0].find(" " + GetParam().ignored_key + " "), std::string::npos)
      << s.ignored[0];
}

INSTANTIATE_TEST_SUITE_P(
    Values, StartupSettingsBadValueTest,
    ::testing::Values(
        BadPair{{{"Port", "17"}, {"Settings", "115200,n,8,1"}}, "Port"},
        BadPair{{{"Port", "0"}, {"Settings", "115200,n,8,1"}}, "Port"},
        BadPair{{{"Port", "COMX"}, {"Settings", "115200,n,8,1"}}, "Port"},
        BadPair{{{"Port", "3"}, {"Settings", "fast"}}, "Settings"},
        BadPair{{{"Port", "3"}, {"Settings", "115200,x,8,1"}}, "Settings"},
        BadPair{{{"GYRO_Resolution", "0"}, {"ACC_Resolution", "16384"}}, "GYRO_Resolution"},
        BadPair{{{"GYRO_Resolution", "32.8"}, {"ACC_Resolution", "abc"}}, "ACC_Resolution"},
        BadPair{{{"GYRO_Resolution", "32.8"}, {"ACC_Resolution", "-5"}}, "ACC_Resolution"},
        BadPair{{{"GYRO_Resolution", "1e999"}, {"ACC_Resolution", "16384"}}, "GYRO_Resolution"}));

}  // namespace
}  // namespace tarvel::settings
