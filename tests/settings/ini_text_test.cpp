#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel::settings {
namespace {

TEST(IniTextTest, ReadsKeysOfTheirOwnSectionOnly) {
  const std::string text =
      "[Other]\nPort=9\n[COM]\r\n Port = 3 "
      "\r\nsettings=\"115200,n,8,1\"\n[Next]\nGYRO_Resolution=1\n";
  EXPECT_EQ(IniTextValue(text, "COM", "Port"), "3");
  EXPECT_EQ(IniTextValue(text, "com", "SETTINGS"), "115200,n,8,1");
  EXPECT_EQ(IniTextValue(text, "COM", "GYRO_Resolution"), "");
  EXPECT_EQ(IniTextValue(text, "Missing", "Port"), "");
  EXPECT_EQ(IniTextValue("", "COM", "Port"), "");
}

TEST(IniTextTest, PresentKeyWithEmptyValueReadsEmpty) {
  EXPECT_EQ(IniTextValue("[COM]\nPort=\n", "COM", "Port"), "");
}

TEST(IniTextTest, LongValueIsCutTo254Characters) {
  const std::string value(300, 'x');
  const std::string read = IniTextValue("[COM]\nSettings=" + value + "\n", "COM", "Settings");
  EXPECT_EQ(read, std::string(254, 'x'));
}

TEST(IniTextTest, WritingIntoEmptyTextCreatesSectionAndKey) {
  EXPECT_EQ(IniTextWithValue("", "COM", "Port", "3"), "[COM]\nPort=3\n");
}

TEST(IniTextTest, LaterKeysAreAddedWithoutDisturbingTheFirst) {
  std::string text = IniTextWithValue("", "COM", "Port", "3");
  text = IniTextWithValue(text, "COM", "Settings", "9600,n,8,1");
  text = IniTextWithValue(text, "COM", "GYRO_Resolution", "16.4");
  EXPECT_EQ(text, "[COM]\nPort=3\nSettings=9600,n,8,1\nGYRO_Resolution=16.4\n");
  EXPECT_EQ(IniTextValue(text, "COM", "Port"), "3");
}

TEST(IniTextTest, ReplacesInPlaceAndKeepsEveryOtherLine) {
  const std::string text =
      "; made by hand\r\n[COM]\r\nPort=3\r\nSettings=9600,n,8,1\r\n\r\n[Extra]\r\nA=1\r\n";
  EXPECT_EQ(IniTextWithValue(text, "COM", "port", "5"),
            "; made by hand\r\n[COM]\r\nPort=5\r\nSettings=9600,n,8,1\r\n\r\n[Extra]\r\nA=1\r\n");
}

TEST(IniTextTest, NewKeyGoesAtTheEndOfItsSectionWithTheFilesLineEnding) {
  const std::string text = "[COM]\r\nPort=3\r\n\r\n[Extra]\r\nA=1\r\n";
  EXPECT_EQ(IniTextWithValue(text, "COM", "Settings", "9600,n,8,1"),
            "[COM]\r\nPort=3\r\nSettings=9600,n,8,1\r\n\r\n[Extra]\r\nA=1\r\n");
}

TEST(IniTextTest, NewSectionIsAppendedAfterAnUnterminatedLastLine) {
  EXPECT_EQ(IniTextWithValue("[Extra]\nA=1", "COM", "Port", "2"), "[Extra]\nA=1\n[COM]\nPort=2\n");
  EXPECT_EQ(IniTextWithValue("[COM]\nA=1", "COM", "Port", "2"), "[COM]\nA=1\nPort=2\n");
}

}  // namespace
}  // namespace tarvel::settings
