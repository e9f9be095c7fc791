#pragma once
// A fresh, empty folder for the running test (in the system's temporary folder, named after
// the test so parallel tests never share one), removed with its contents at the end.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tarvel::test_support {

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& prefix)
      : path_(std::filesystem::temp_directory_path() /
              (prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tarvel::test_support
