// tarvel-decode as a program: its inputs joined into one stream, standard input, and the exit
// status and messages when an input or the output fails.

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tarvel::decode_json {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::HasSubstr;

// The attitude example of the protocol notes and the line it decodes to.
const Bytes kImuFrame = {0xA5, 0x5A, 0x12, 0xA1, 0x00, 0x7B, 0x80, 0x2D, 0x00, 0x00,
                         0x01, 0xF4, 0x00, 0xFA, 0x27, 0x94, 0x00, 0x32, 0xB7, 0xAA};
const std::string kImuLine =
    R"({"event":"frame","type":"0xA1","len":18,"payload":"007b802d000001f400fa27940032","fields":{"yaw":12.3,"pitch":-4.5,"roll":0,"altitude":50,"temperature":25,"pressure":101320,"rate":50}})"
    "\n";

struct Result {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

class TarvelDecodeTest : public testing::Test {
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

TEST_F(TarvelDecodeTest, InputsFormOneStream) {
  const std::string head = File("head.bin", Bytes(kImuFrame.begin(), kImuFrame.begin() + 7));
  const std::string rest = File("rest.bin", Bytes(kImuFrame.begin() + 7, kImuFrame.end()));
  const std::string whole = File("whole.bin", kImuFrame);

  for (const std::string& args :
       {head + " " + rest, "< " + whole, "- < " + whole, head + " - < " + rest}) {
    const Result r = Run(args);
    EXPECT_EQ(r.status, 0) << args;
    EXPECT_EQ(r.out, kImuLine) << args;
    EXPECT_EQ(r.err, "") << args;
  }
  EXPECT_EQ(Run(head).out, "");
}

TEST_F(TarvelDecodeTest, LargeInputIsDecodedAcrossReadBoundaries) {
  // 20-byte frames do not divide the 64 KiB reads, so frames are cut between reads.
  Bytes stream;
  for (int i = 0; i < 30000; ++i)
    stream.insert(stream.end(), kImuFrame.begin(), kImuFrame.end());
  const Result r = Run(File("big.bin", stream));
  EXPECT_EQ(r.status, 0);
  std::string expected;
  for (int i = 0; i < 30000; ++i)
    expected += kImuLine;
  EXPECT_TRUE(r.out == expected) << "output of " << r.out.size() << " bytes differs";
}

TEST_F(TarvelDecodeTest, UnreadableInputIsReportedAndCutsTheStream) {
  const std::string head = File("head.bin", Bytes(kImuFrame.begin(), kImuFrame.begin() + 7));
  const std::string rest = File("rest.bin", Bytes(kImuFrame.begin() + 7, kImuFrame.end()));

  // Bytes are missing between head and rest, so the frame they would make up is dropped
  // rather than completed across the gap; later inputs are still decoded.
  const std::string whole = File("whole.bin", kImuFrame);
  Result r = Run(head + " " + Quoted(dir_ / "missing.bin") + " " + rest + " " + whole);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, kImuLine);
  EXPECT_THAT(r.err, HasSubstr("missing.bin: No such file or directory"));
  EXPECT_EQ(Run(head + " " + Quoted(dir_ / "missing.bin") + " " + rest).out, "");

  // A folder opens but cannot be read.
  r = Run(Quoted(dir_) + " " + whole);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, kImuLine);
  EXPECT_THAT(r.err, HasSubstr(dir_.string() + ": Is a directory"));
}

TEST_F(TarvelDecodeTest, FailingOutputEndsTheRunWithStatus3) {
  const std::string whole = File("whole.bin", kImuFrame);
  Result r = Run(whole + " > /dev/full");
  EXPECT_EQ(r.status, 3);
  EXPECT_THAT(r.err, HasSubstr("standard output: No space left on device"));

  // A reader that leaves early: far more output than a pipe holds, of which one line is read.
  Bytes stream;
  for (int i = 0; i < 20000; ++i)
    stream.insert(stream.end(), kImuFrame.begin(), kImuFrame.end());
  r = Run(File("big.bin", stream), 1);
  EXPECT_EQ(r.status, 3);  // an exit, not death by SIGPIPE
  EXPECT_EQ(r.err, "");
}

TEST_F(TarvelDecodeTest, HelpAndUnknownOptions) {
  Result r = Run("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_THAT(r.out, testing::StartsWith("Usage: tarvel-decode [FILE...]"));

  r = Run("--frobnicate " + File("whole.bin", kImuFrame));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_THAT(r.err, HasSubstr("--frobnicate: unknown option"));

  // After "--" a name that looks like an option is a file.
  r = Run("-- --help");
  EXPECT_EQ(r.status, 1);
  EXPECT_THAT(r.err, HasSubstr("--help: No such file or directory"));
}

}  // namespace
}  // namespace tarvel::decode_json
