#pragma once
// Runs the tarvel-decode program (TARVEL_DECODE_PATH) on files in a fresh temporary folder and
// collects its exit status, standard output and standard error.

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tarvel::decode_json::test {

using Bytes = std::vector<std::uint8_t>;

struct Result {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

class DecodeRunTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvel-decode-XXXXXX");
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Writes `bytes` to a file in the test's folder and returns its quoted path.
  std::string File(const std::string& name, const Bytes& bytes) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return Quoted(path);
  }
  std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

  // Runs tarvel-decode with `args` (shell words and redirections). With `read_limit` set, only
  // that much output is read before the pipe is closed.
  Result Run(const std::string& args, std::size_t read_limit = std::string::npos) {
    const std::string command =
        std::string("exec '") + TARVEL_DECODE_PATH + "' " + args + " 2>" + Quoted(dir_ / "stderr");
    Result r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    while (r.out.size() < read_limit) {
      const std::size_t n = fread(buffer, 1, sizeof buffer, pipe);
      if (n == 0) break;
      r.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    if (WIFEXITED(status)) r.status = WEXITSTATUS(status);
    std::ifstream err(dir_ / "stderr");
    r.err.assign(std::istreambuf_iterator<char>(err), {});
    return r;
  }

  std::filesystem::path dir_;
};

}  // namespace tarvel::decode_json::test
