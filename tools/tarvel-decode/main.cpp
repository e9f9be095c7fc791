// tarvel-decode: a raw capture of the serial line in, one JSON object per receiver event out,
// or with --stats one JSON object that counts the whole stream.
//
// All inputs, in the order given, form ONE byte stream through ONE FrameReceiver, exactly as if
// they had arrived on one serial line: a frame cut across two capture files is received. Input
// is read 64 KiB at a time and output leaves in large writes, so captures of any size decode in
// constant memory.
//
// An input that cannot be opened or read is reported on stderr and the remaining inputs are
// still decoded. Its bytes are missing from the stream, so the receiver is reset there, as when
// the station reopens its port: a frame begun before the gap is dropped instead of being
// completed with unrelated bytes from after it.
//
// Exit status: 0 when every input was read and all output written; 1 when an input could not
// be opened or read; 2 for a usage error; 3 when standard output fails (a closed pipe, a full
// disk), which ends the run at once.
//
// Portable to Windows (mingw-w64 and MSVC's C runtime offer the same read/write/open calls):
// there, files and the standard streams are switched to binary mode, so no byte is translated
// and the output lines end in a bare newline as on Linux.

#include <errno.h>
#include <fcntl.h>
#include <signal.h>

#include <algorithm>

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "capture_stats.h"
#include "decode_json/json_lines.h"
#include "link/frame_receiver.h"
#include "serial/line_settings.h"

#ifdef _WIN32
#include <io.h>
#include <stdio.h>
#else
#include <unistd.h>
#endif

namespace tarvel::decodetool {
namespace {

#ifdef _WIN32
using ssize_t = int;  // what _read and _write return
constexpr int kStdin = 0, kStdout = 1, kStderr = 2;
int read(int fd, void* buffer, std::size_t size) {
  return _read(fd, buffer, static_cast<unsigned>(size));
}
int write(int fd, const void* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(size));
}
int close(int fd) {
  return _close(fd);
}
int OpenForReading(const char* path) {
  return _open(path, _O_RDONLY | _O_BINARY);
}
// The C runtime opens the standard streams in text mode: it would read 0D 0A as 0A and stop
// at the first 1A, and write every 0A as 0D 0A.
void UseBinaryStreams() {
  _setmode(kStdin, _O_BINARY);
  _setmode(kStdout, _O_BINARY);
}
#else
constexpr int kStdin = STDIN_FILENO, kStdout = STDOUT_FILENO, kStderr = STDERR_FILENO;
int OpenForReading(const char* path) {
  return open(path, O_RDONLY);
}
void UseBinaryStreams() {}
#endif

constexpr std::size_t kReadSize = 64 * 1024;
// Output is written once this much is collected, or sooner when the input pauses.
constexpr std::size_t kFlushSize = 64 * 1024;

constexpr int kExitOk = 0;
constexpr int kExitInputFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitOutputFailed = 3;

constexpr std::string_view kUsage =
    "Usage: tarvel-decode [--stats [--line SETTINGS]] [FILE...]\n"
    "\n"
    "Decodes a raw capture of the board's serial line into JSON lines on standard output:\n"
    "one object per good frame, checksum error and missing header, in stream order.\n"
    "The FILEs are read one after another as a single stream; with no FILE, or where FILE\n"
    "is -, standard input is read.\n"
    "\n"
    "  --stats          print one JSON object for the whole stream instead: bytes, good\n"
    "                   frames per TYPE, checksum errors, missing headers, short frames,\n"
    "                   unknown TYPEs and the time the bytes take on the line\n"
    "  --line SETTINGS  the line for that time, as baud,parity,data,stop\n"
    "                   (default 115200,n,8,1; parity n, e, o, m or s)\n"
    "  -h, --help       show this text and exit\n"
    "  --               treat every later argument as a file name\n"
    "\n"
    "An input that cannot be read is reported and skipped; a frame cut by it is dropped.\n"
    "\n"
    "Exit status: 0 success; 1 an input could not be read (the others are still decoded);\n"
    "2 usage error; 3 standard output could not be written.\n";

// Writes all of `text`; false, with errno set, when the descriptor refuses it.
bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    // In pieces a 32-bit count can carry (Windows' _write takes an unsigned int).
    const ssize_t n = write(fd, text.data(), std::min<std::size_t>(text.size(), 1 << 30));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void Complain(std::string_view what, std::string_view why) {
  std::string line = "tarvel-decode: ";
  line += what;
  line += ": ";
  line += why;
  line += '\n';
  WriteAll(kStderr, line);  // nothing sensible is left to do if stderr fails too
}

// One receiver, fed from one input after another, and what it reports to: the JSON-lines
// writer, or with `stats_line` the counts of --stats, written at the end.
class Decoder {
 public:
  enum class Result { kDone, kInputFailed, kOutputFailed };

  explicit Decoder(const std::optional<serial::LineSettings>& stats_line)
      : writer_(out_),
        stats_(stats_line ? std::optional<CaptureStats>(std::in_place, *stats_line) : std::nullopt),
        receiver_(stats_ ? static_cast<link::FrameEvents&>(*stats_) : writer_) {
    out_.reserve(2 * kFlushSize);
  }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  // Decodes everything `fd` delivers until end of file. `name` is what messages call it.
  Result Decode(int fd, std::string_view name) {
    for (;;) {
      const ssize_t n = read(fd, buffer_.data(), buffer_.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        Complain(name, std::strerror(errno));
        return Result::kInputFailed;
      }
      if (n == 0) return Result::kDone;
      const auto count = static_cast<std::size_t>(n);
      if (stats_) stats_->OnBytes(count);
      receiver_.Feed(std::span(buffer_).first(count));
      // A short read means the input has nothing more right now (a live pipe) or is at its
      // end: write what there is so a reader downstream sees it promptly.
      if (out_.size() >= kFlushSize || count < buffer_.size()) {
        if (!Flush()) return Result::kOutputFailed;
      }
    }
  }

  // Bytes are missing from the stream here: drop a frame in progress and a half-seen header.
  void SkipGap() { receiver_.ResetReceiver(); }

  // Adds the --stats object to the output, once every input has been read.
  void Finish() {
    if (stats_) stats_->AppendJson(out_);
  }

  // Writes and forgets the collected lines; false, with errno set, on a write error.
  bool Flush() {
    const bool ok = WriteAll(kStdout, out_);
    out_.clear();
    return ok;
  }

 private:
  std::string out_;
  decode_json::JsonLineWriter writer_;
  std::optional<CaptureStats> stats_;
  link::FrameReceiver receiver_;
  std::vector<std::uint8_t> buffer_ = std::vector<std::uint8_t>(kReadSize);
};

int OutputFailed() {
  // A reader that went away (tarvel-decode big.bin | head) is an ordinary end, not worth a
  // message; the status still tells a script that the output is incomplete.
  if (errno != EPIPE) Complain("standard output", std::strerror(errno));
  return kExitOutputFailed;
}

int UsageError(std::string_view what, std::string_view why) {
  Complain(what, why);
  WriteAll(kStderr, kUsage);
  return kExitUsage;
}

int Run(int argc, char** argv) {
  std::vector<std::string_view> inputs;
  bool options_done = false;
  bool stats = false;
  std::optional<std::string_view> line_text;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!options_done && (arg == "-h" || arg == "--help")) {
      return WriteAll(kStdout, kUsage) ? kExitOk : OutputFailed();
    }
    if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && arg == "--stats") {
      stats = true;
    } else if (!options_done && arg == "--line") {
      if (i + 1 == argc) return UsageError(arg, "needs line settings such as 115200,n,8,1");
      line_text = argv[++i];
    } else if (!options_done && arg.starts_with("--line=")) {
      line_text = arg.substr(7);
    } else if (!options_done && arg.size() > 1 && arg.front() == '-') {
      return UsageError(arg, "unknown option");
    } else {
      inputs.push_back(arg);
    }
  }
  if (inputs.empty()) inputs.push_back("-");
  std::optional<serial::LineSettings> stats_line;
  if (line_text) {
    if (!stats) return UsageError("--line", "only goes with --stats");
    stats_line = serial::LineSettings::FromText(*line_text);
    if (!stats_line) {
      return UsageError("--line " + std::string(*line_text),
                        "not line settings such as 115200,n,8,1");
    }
  } else if (stats) {
    stats_line = serial::LineSettings();
  }

  // Write errors come back as EPIPE instead of killing the process, so they are reported
  // through the exit status like any other output failure. (Windows has no such signal.)
#ifdef SIGPIPE
  signal(SIGPIPE, SIG_IGN);
#endif
  UseBinaryStreams();

  Decoder decoder(stats_line);
  int status = kExitOk;
  for (const std::string_view input : inputs) {
    const bool is_stdin = input == "-";
    const std::string path(input);
    const int fd = is_stdin ? kStdin : OpenForReading(path.c_str());
    if (fd < 0) {
      Complain(input, std::strerror(errno));
      decoder.SkipGap();
      status = kExitInputFailed;
      continue;
    }
    const auto result = decoder.Decode(fd, is_stdin ? "standard input" : input);
    if (!is_stdin) close(fd);
    if (result == Decoder::Result::kOutputFailed) return OutputFailed();
    if (result == Decoder::Result::kInputFailed) {
      decoder.SkipGap();
      status = kExitInputFailed;
    }
  }
  decoder.Finish();
  if (!decoder.Flush()) return OutputFailed();
  return status;
}

}  // namespace
}  // namespace tarvel::decodetool

int main(int argc, char** argv) {
  return tarvel::decodetool::Run(argc, argv);
}
