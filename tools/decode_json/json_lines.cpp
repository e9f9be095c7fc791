#include "decode_json/json_lines.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <span>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <variant>

#include "format/number_text.h"
#include "link/decoders.h"

namespace tarvel::decode_json {
namespace {

using HexPairs = std::array<std::array<char, 2>, 256>;

constexpr HexPairs MakeHexPairs(const char* digits) {
  HexPairs pairs{};
  for (int b = 0; b < 256; ++b) {
    pairs[b] = {digits[b >> 4], digits[b & 15]};
  }
  return pairs;
}

constexpr HexPairs kLowerHex = MakeHexPairs("0123456789abcdef");
constexpr HexPairs kUpperHex = MakeHexPairs("0123456789ABCDEF");

void AppendHexPair(std::string& out, const HexPairs& table, std::uint8_t b) {
  out.append(table[b].data(), 2);
}

// The payload can be a hundred bytes: size the string once and fill it in place.
void AppendLowerHex(std::string& out, std::span<const std::uint8_t> bytes) {
  const std::size_t start = out.size();
  out.resize(start + 2 * bytes.size());
  char* p = out.data() + start;
  for (const std::uint8_t b : bytes) {
    std::memcpy(p, kLowerHex[b].data(), 2);
    p += 2;
  }
}

void AppendInt(std::string& out, long long value) {
  std::array<char, 24> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out.append(buffer.data(), result.ptr);
}

void AppendReal(std::string& out, float value) {
  if (std::isfinite(value)) {
    out += format::DecimalText(value);
  } else {
    out += '"';
    out += format::DecimalText(value);
    out += '"';
  }
}

// Writes the members of one "fields" object in the order they are added.
class Fields {
 public:
  explicit Fields(std::string& out) : out_(out) { out_ += '{'; }
  ~Fields() { out_ += '}'; }
  Fields(const Fields&) = delete;
  Fields& operator=(const Fields&) = delete;

  void Int(std::string_view name, long long value) {
    Key(name);
    AppendInt(out_, value);
  }
  void Real(std::string_view name, float value) {
    Key(name);
    AppendReal(out_, value);
  }

 private:
  void Key(std::string_view name) {
    if (!first_) out_ += ',';
    first_ = false;
    out_ += '"';
    out_ += name;
    out_ += "\":";
  }

  std::string& out_;
  bool first_ = true;
};

void Put(Fields& f, const link::ImuReport& r) {
  f.Real("yaw", r.yaw);
  f.Real("pitch", r.pitch);
  f.Real("roll", r.roll);
  f.Real("altitude", r.altitude);
  f.Real("temperature", r.temperature);
  f.Int("pressure", r.pressure_pa());
  f.Int("rate", r.solution_rate);
}

void Put(Fields& f, const link::MotionReport& r) {
  f.Int("acc_x", r.acc_x);
  f.Int("acc_y", r.acc_y);
  f.Int("acc_z", r.acc_z);
  f.Int("gyro_x", r.gyro_x);
  f.Int("gyro_y", r.gyro_y);
  f.Int("gyro_z", r.gyro_z);
  f.Int("mag_x", r.mag_x);
  f.Int("mag_y", r.mag_y);
  f.Int("mag_z", r.mag_z);
}

void Put(Fields& f, const link::PwmInReport& r) {
  static constexpr std::string_view kNames[] = {"inch1", "inch2", "inch3",
                                                "inch4", "inch5", "inch6"};
  static_assert(std::size(kNames) == std::tuple_size_v<decltype(r.channels)>);
  for (std::size_t i = 0; i < r.channels.size(); ++i)
    f.Real(kNames[i], r.channels[i]);
}

void Put(Fields& f, const link::PwmOutReport& r) {
  static constexpr std::string_view kNames[] = {"outch1", "outch2", "outch3", "outch4",
                                                "outch5", "outch6", "outch7", "outch8"};
  static_assert(std::size(kNames) == std::tuple_size_v<decltype(r.channels)>);
  for (std::size_t i = 0; i < r.channels.size(); ++i)
    f.Real(kNames[i], r.channels[i]);
}

void Put(Fields& f, const link::TrackReport& r) {
  f.Real("target", r.target);
  f.Real("current", r.current);
  f.Real("output", r.output);
}

void Put(Fields& f, const link::PidReport& r) {
  f.Int("loop", r.loop);
  f.Real("p", r.p);
  f.Real("i", r.i);
  f.Real("d", r.d);
}

void Put(Fields& f, const link::GpsReport& r) {
  f.Real("longitude", r.longitude);
  f.Real("latitude", r.latitude);
  f.Real("altitude", r.altitude);
  f.Int("satellites", r.satellites);
  f.Real("course", r.course);
  f.Real("speed", r.speed);
}

void Put(Fields& f, const link::TargetReport& r) {
  f.Real("longitude", r.longitude);
  f.Real("latitude", r.latitude);
  f.Real("altitude", r.altitude);
  f.Real("distance", r.distance);
  f.Real("x_output", r.x_output);
  f.Real("y_output", r.y_output);
}

void Put(Fields& f, const link::StatusReport& r) {
  f.Int("mode", r.mode);
  f.Real("battery", r.battery);
  f.Real("servo_voltage", r.servo_voltage);
  f.Int("error_code", r.error_code);
  f.Int("i2c_errors", r.i2c_errors);
  f.Int("uptime", r.uptime);
}

void Put(Fields& f, const link::MagRangeReport& r) {
  f.Real("max_hx", r.max_hx);
  f.Real("max_hy", r.max_hy);
  f.Real("max_hz", r.max_hz);
  f.Real("min_hx", r.min_hx);
  f.Real("min_hy", r.min_hy);
  f.Real("min_hz", r.min_hz);
}

void Put(Fields& f, const link::FlowReport& r) {
  f.Int("x", r.x);
  f.Int("y", r.y);
}

}  // namespace

bool AppendFields(std::string& out, const link::Report& report) {
  return std::visit(
      [&out](const auto& r) {
        using T = std::decay_t<decltype(r)>;
        if constexpr (std::is_same_v<T, link::UnknownFrame> ||
                      std::is_same_v<T, link::ShortFrame>) {
          return false;
        } else {
          Fields fields(out);
          Put(fields, r);
          return true;
        }
      },
      report);
}

void AppendFrameLine(std::string& out, link::FrameView frame) {
  out += R"({"event":"frame","type":"0x)";
  AppendHexPair(out, kUpperHex, frame.type());
  out += R"(","len":)";
  AppendInt(out, frame.len());
  out += R"(,"payload":")";
  AppendLowerHex(out, frame.payload());
  out += '"';

  const link::Report report = link::DecodeFrame(frame);
  if (std::holds_alternative<link::ShortFrame>(report)) {
    out += R"(,"short":true)";
  } else if (!std::holds_alternative<link::UnknownFrame>(report)) {
    out += R"(,"fields":)";
    AppendFields(out, report);
  }
  out += "}\n";
}

void AppendChecksumErrorLine(std::string& out) {
  out += "{\"event\":\"checksum_error\"}\n";
}

void AppendNoHeaderLine(std::string& out) {
  out += "{\"event\":\"no_header\"}\n";
}

}  // namespace tarvel::decode_json
