#include <gtest/gtest.h>

#include "serial/line_settings.h"
#include "serial/port_name.h"

namespace tarvel::serial {
namespace {

TEST(PortNameTest, ParsesNumbersPathsAndTheSimulator) {
  EXPECT_EQ(PortName::FromText("3"), PortName::Number(3));
  EXPECT_EQ(PortName::FromText(" 16 "), PortName::Number(16));
  EXPECT_EQ(PortName::FromText("/dev/ttyUSB0"), PortName::Path("/dev/ttyUSB0"));
  EXPECT_EQ(PortName::FromText("sim"), PortName::Sim());
  for (const char* bad : {"", "0", "17", "-1", "3a", "COM3", "1.5", "simx", "099"}) {
    EXPECT_FALSE(PortName::FromText(bad).has_value()) << bad;
  }
}

TEST(PortNameTest, NamesForStorageDisplayAndTheSystem) {
  const PortName three = PortName::Number(3);
  EXPECT_EQ(three.Text(), "3");
  EXPECT_EQ(three.DisplayName(), "COM3");
#ifndef _WIN32
  EXPECT_EQ(three.SystemName(), "/dev/ttyS2");
#endif
  const PortName usb = PortName::Path("/dev/ttyUSB0");
  EXPECT_EQ(usb.Text(), "/dev/ttyUSB0");
  EXPECT_EQ(usb.DisplayName(), "/dev/ttyUSB0");
  EXPECT_EQ(usb.SystemName(), "/dev/ttyUSB0");
  EXPECT_EQ(PortName::Sim().DisplayName(), "SIM");
  EXPECT_EQ(PortName::FromText(PortName::Sim().Text()), PortName::Sim());
}

TEST(LineSettingsTest, AcceptsWhatAPortCanUseAndWritesItBackCanonically) {
  const auto s = LineSettings::FromText(" 9600, E ,7, 1.5");
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->baud, 9600);
  EXPECT_EQ(s->parity, LineSettings::Parity::kEven);
  EXPECT_EQ(s->data_bits, 7);
  EXPECT_EQ(s->stop_bits, LineSettings::StopBits::kOneAndHalf);
  EXPECT_EQ(s->Text(), "9600,e,7,1.5");
  EXPECT_EQ(LineSettings::FromText("921600,n,8,2")->Text(), "921600,n,8,2");
  EXPECT_EQ(LineSettings{}.Text(), kDefaultLineSettings);
}

TEST(LineSettingsTest, RefusesEverythingElse) {
  for (const char* bad : {"", "115200", "115200,n,8", "115200,n,8,1,1", "abc,n,8,1", "0,n,8,1",
                          "115200,x,8,1", "115200,n,9,1", "115200,n,4,1", "115200,n,8,3",
                          "115200,nn,8,1", "99999999,n,8,1", "-9600,n,8,1"}) {
    EXPECT_FALSE(LineSettings::FromText(bad).has_value()) << bad;
  }
}

TEST(LineSettingsTest, BitsPerCharacterCountsStartParityAndStopBits) {
  struct Case {
    const char* text;
    double bits;
  };
  for (const Case& c :
       {Case{"115200,n,8,1", 10}, Case{"115200,e,8,2", 12}, Case{"9600,o,7,1.5", 10.5},
        Case{"9600,m,8,1", 11}, Case{"9600,s,8,1.5", 11.5}, Case{"300,n,5,1", 7},
        Case{"300,n,5,1.5", 7.5}, Case{"4000000,n,8,2", 11}, Case{"1200,e,7,1", 10}}) {
    const auto s = LineSettings::FromText(c.text);
    ASSERT_TRUE(s.has_value()) << c.text;
    EXPECT_EQ(s->BitsPerCharacter(), c.bits) << c.text;
  }
}

}  // namespace
}  // namespace tarvel::serial
