// tarvel-decode as a program: its inputs joined into one stream, standard input, and the exit
// status and messages when an input or the output fails.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "decode_runner.h"

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

using test::Result;
using TarvelDecodeTest = test::DecodeRunTest;

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
  EXPECT_THAT(r.out,
              testing::StartsWith("Usage: tarvel-decode [--stats [--line SETTINGS]] [FILE...]"));

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
