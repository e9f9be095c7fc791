#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tarvel::settings {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("tarvel_ini_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    path_ = dir_ / "OSC.ini";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path dir_;
  std::filesystem::path path_;
};

TEST_F(IniFileTest, MissingFileReadsEmptyAndFirstWriteCreatesIt) {
  EXPECT_EQ(ReadIniValue("COM", "Port", path_), "");
  ASSERT_TRUE(WriteIniValue("COM", "Port", "3", path_));
  ASSERT_TRUE(WriteIniValue("COM", "Settings", "9600,n,8,1", path_));
  EXPECT_EQ(ReadIniValue("COM", "Port", path_), "3");
  EXPECT_EQ(ReadIniValue("COM", "Settings", path_), "9600,n,8,1");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "OSC.ini.tmp"));
}

TEST_F(IniFileTest, FailedWriteReportsFalseAndLeavesTheFileAlone) {
  ASSERT_TRUE(WriteIniValue("COM", "Port", "3", path_));
  // A directory where the temporary file must go makes the write fail.
  std::filesystem::create_directory(dir_ / "OSC.ini.tmp");
  EXPECT_FALSE(WriteIniValue("COM", "Port", "4", path_));
  EXPECT_EQ(ReadIniValue("COM", "Port", path_), "3");
}

TEST_F(IniFileTest, WriteIntoMissingFolderFails) {
  EXPECT_FALSE(WriteIniValue("COM", "Port", "3", dir_ / "no" / "such" / "OSC.ini"));
}

}  // namespace
}  // namespace tarvel::settings
