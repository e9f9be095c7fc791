#include "options.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <system_error>

namespace tarvel::simtool {
namespace {

constexpr double kMaxDuration = 24 * 3600;

// The whole text as a number, nothing before or after it.
template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

bool ParseReal(std::string_view text, double lo, double hi, double& value) {
  return ParseNumber(text, value) && std::isfinite(value) && value >= lo && value <= hi;
}

// "KIND=HZ" into the matching field of `rates`.
bool ParseRate(std::string_view text, sim::FrameRates& rates) {
  const auto eq = text.find('=');
  if (eq == std::string_view::npos) return false;
  const std::string_view kind = text.substr(0, eq);
  double hz = 0;
  if (!ParseReal(text.substr(eq + 1), 0, sim::FrameRates::kMaxRateHz, hz)) return false;
  struct Entry {
    std::string_view name;
    double sim::FrameRates::*field;
  };
  static constexpr Entry kKinds[] = {
      {"imu", &sim::FrameRates::imu_hz},
      {"motion", &sim::FrameRates::motion_hz},
      {"pwm_in", &sim::FrameRates::pwm_in_hz},
      {"pwm_out", &sim::FrameRates::pwm_out_hz},
      {"gps", &sim::FrameRates::gps_hz},
      {"target", &sim::FrameRates::target_hz},
      {"status", &sim::FrameRates::status_hz},
      {"track", &sim::FrameRates::track_hz},
      {"mag_range", &sim::FrameRates::mag_range_hz},
      {"flow", &sim::FrameRates::flow_hz},
  };
  for (const Entry& e : kKinds) {
    if (e.name == kind) {
      rates.*e.field = hz;
      return true;
    }
  }
  return false;
}

}  // namespace

std::string Usage() {
  return "usage: tarvel-sim [--link PATH] [--seed N] [--rate KIND=HZ ...] [--corrupt P]\n"
         "                  [--noise P] [--max-noise N] [--split]\n"
         "       tarvel-sim --output FILE --duration S [--seed N] [--rate KIND=HZ ...]\n"
         "                  [--corrupt P] [--noise P] [--max-noise N]\n"
         "\n"
         "Simulates the attitude board and its flight controller.\n"
         "\n"
         "Without --output it serves the board on a new pseudo-terminal in real time: the\n"
         "device path is printed on the first line of standard output; open it as the serial\n"
         "port. It runs until interrupted (SIGINT or SIGTERM).\n"
         "\n"
         "  --link PATH      also make PATH a symbolic link to the device (an existing symbolic\n"
         "                   link is replaced; it is removed on exit)\n"
         "  --output FILE    write S seconds of the stream to FILE as fast as possible\n"
         "  --duration S     seconds of stream for --output (up to 86400)\n"
         "  --seed N         seed of the simulation, 0..4294967295 (default 1); the same seed\n"
         "                   and options give the same stream\n"
         "  --rate KIND=HZ   frames per second of one kind, 0 for never (up to 1000); kinds:\n"
         "                   imu motion pwm_in pwm_out gps target status track mag_range flow\n"
         "                   (defaults 50 50 10 10 5 5 2 25 1 0)\n"
         "  --corrupt P      probability that a frame has a wrong checksum (0..1)\n"
         "  --noise P        probability of a burst of random bytes before a frame (0..1)\n"
         "  --max-noise N    longest burst in bytes, 1..1000 (default 16)\n"
         "  --split          write the stream in small random pieces with short pauses\n"
         "  --help           show this text\n";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options o;
  bool have_duration = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool has_value = false;
    if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
      has_value = true;
    }
    const auto take_value = [&]() -> bool {
      if (has_value) return true;
      if (i + 1 >= args.size()) return false;
      value = args[++i];
      return true;
    };
    const auto flag = [&](bool& field) {
      if (has_value) return false;
      field = true;
      return true;
    };

    bool ok = true;
    if (name == "--help" || name == "-h") {
      ok = flag(o.help);
    } else if (name == "--split") {
      ok = flag(o.split);
    } else if (name == "--link") {
      ok = take_value() && !value.empty();
      o.link = value;
    } else if (name == "--output") {
      ok = take_value() && !value.empty();
      o.output = value;
    } else if (name == "--duration") {
      ok = take_value() && ParseReal(value, 0, kMaxDuration, o.duration) && o.duration > 0;
      have_duration = true;
    } else if (name == "--seed") {
      ok = take_value() && ParseNumber(value, o.board.seed);
    } else if (name == "--rate") {
      ok = take_value() && ParseRate(value, o.board.rates);
    } else if (name == "--corrupt") {
      ok = take_value() && ParseReal(value, 0, 1, o.board.faults.corrupt_checksum);
    } else if (name == "--noise") {
      ok = take_value() && ParseReal(value, 0, 1, o.board.faults.noise);
    } else if (name == "--max-noise") {
      ok = take_value() && ParseNumber(value, o.board.faults.max_noise_bytes) &&
           o.board.faults.max_noise_bytes >= 1 &&
           o.board.faults.max_noise_bytes <= sim::Faults::kMaxNoiseBytes;
    } else {
      error = "unknown option '" + args[i] + "'";
      return std::nullopt;
    }
    if (!ok) {
      error = "bad or missing value for " + name;
      return std::nullopt;
    }
  }
  if (o.help) return o;
  if (o.output.empty() != !have_duration) {
    error = "--output and --duration go together";
    return std::nullopt;
  }
  if (!o.output.empty() && (!o.link.empty() || o.split)) {
    error = "--link and --split serve a pseudo-terminal; they do not go with --output";
    return std::nullopt;
  }
  return o;
}

}  // namespace tarvel::simtool
