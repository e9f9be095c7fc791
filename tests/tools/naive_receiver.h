#pragma once
// A second, deliberately naive statement of the receiver's byte algorithm: the receive state
// exactly as the protocol notes describe it (rx_buffer, rx_count, rx_length, rx_in_frame,
// rx_header_state = 0 or 12, bytes_since_header), one byte at a time, with a full re-sum at
// every tail. It writes its events with the JSON-lines writer and counts them on its own, so
// both the event lines and the --stats summary of tarvel-decode can be checked against it.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "decode_json/json_lines.h"
#include "link/frame.h"

namespace tarvel::decode_json {

// What --stats reports, counted independently.
struct NaiveStats {
  std::uint64_t bytes = 0;
  std::map<std::uint8_t, std::uint64_t> frames;  // good frames per TYPE
  std::uint64_t checksum_errors = 0;
  std::uint64_t no_header = 0;
  std::uint64_t short_frames = 0;
  std::uint64_t unknown_types = 0;
};

class NaiveReceiver {
 public:
  explicit NaiveReceiver(std::string& out) : out_(out) {}

  void Byte(std::uint8_t b) {
    ++stats.bytes;
    // 1. Tail test.
    if (rx_in_frame && b == 0xAA && rx_length == rx_count + 1) {
      if (rx_count == 0) {
        // Taken literally the rule would read the SUM from index -1 here: after an abandoned
        // frame whose LEN was 1, a header followed by AA. There is no frame; the AA is LEN.
        ++empty_tails;
      } else {
        int s = 0;
        for (int i = 0; i <= rx_count - 2; ++i)
          s += rx_buffer[i];
        if (s % 256 == rx_buffer[rx_count - 1]) {
          rx_in_frame = false;
          last_frame.assign(rx_buffer.begin(), rx_buffer.begin() + rx_count);
          AppendFrameLine(out_, link::FrameView(last_frame));
          Count(rx_buffer[1], rx_count - 3);
        } else {
          AppendChecksumErrorLine(out_);
          ++stats.checksum_errors;
          rx_in_frame = false;
          rx_count = 0;
          rx_length = 0;
        }
        rx_header_state = 0;
      }
    }
    // 2. Store.
    if (rx_in_frame) {
      rx_buffer[rx_count] = b;
      if (rx_count == 0) rx_length = b;
      ++rx_count;
      if (rx_count > 100) {
        rx_in_frame = false;
        rx_header_state = 0;
      }
    }
    // 3. Header.
    if (b == 0xA5) rx_header_state = 12;
    if (b == 0x5A && rx_header_state == 12) {
      bytes_since_header = 0;
      rx_in_frame = true;
      rx_count = 0;
      rx_header_state = 0;
    }
    // 4. Header watchdog.
    ++bytes_since_header;
    if (bytes_since_header > 100) {
      bytes_since_header = 0;
      AppendNoHeaderLine(out_);
      ++stats.no_header;
    }
  }

  int empty_tails = 0;
  NaiveStats stats;

 private:
  // A good frame of `type` with `payload_size` payload bytes, against the layouts of the
  // protocol notes' field tables.
  void Count(std::uint8_t type, int payload_size) {
    ++stats.frames[type];
    int layout = 0;
    switch (type) {
      case 0xA1: layout = 7 * 2; break;  // yaw .. solution rate, sm16 each
      case 0xA2: layout = 9 * 2; break;  // three sensors, three axes, sm16 each
      case 0x12: layout = 6 * 2; break;  // six u16 inputs
      case 0x13: layout = 8 * 2; break;  // eight u16 outputs
      case 0x15: layout = 3 * 4; break;  // target, current, output as f32
      case 0xA3: layout = 4 + 4 + 2 + 1 + 2 + 2; break;
      case 0xA5: layout = 4 + 4 + 4 * 2; break;
      case 0xA6: layout = 1 + 2 + 2 + 1 + 2 + 2; break;
      case 0xA4: layout = 6 * 2; break;
      case 0x0F: layout = 2 * 2; break;
      default:
        if (type >= 0xD1 && type <= 0xD5) layout = 3 * 4;  // P, I, D as f32
    }
    if (layout == 0) {
      ++stats.unknown_types;
    } else if (payload_size < layout) {
      ++stats.short_frames;
    }
  }

  std::string& out_;
  std::array<std::uint8_t, 101> rx_buffer{};
  int rx_count = 0;
  int rx_length = 0;
  bool rx_in_frame = false;
  int rx_header_state = 0;
  int bytes_since_header = 0;
  std::vector<std::uint8_t> last_frame;
};

}  // namespace tarvel::decode_json
