#include "link/frame_receiver.h"

#include <algorithm>

namespace tarvel::link {

namespace {
constexpr int kHeaderWatchdogBytes = 100;
}  // namespace

void FrameReceiver::Feed(std::span<const std::uint8_t> bytes) {
  State s = state_;
  const std::uint8_t* const end = bytes.data() + bytes.size();
  for (const std::uint8_t* at = bytes.data(); at != end; ++at) {
    const std::uint8_t b = *at;
    // 1. Tail test. With nothing stored there is no SUM yet, so no frame can be complete: a
    // header followed at once by AA stores the AA as LEN, whatever LEN the previous frame had.
    if (s.in_frame && b == kTail && s.rx_length == s.rx_count + 1 && s.rx_count > 0) {
      const std::uint8_t received_sum = rx_buffer_[s.rx_count - 1];
      const bool good = static_cast<std::uint8_t>(s.rx_sum - received_sum) == received_sum;
      s.in_frame = false;
      s.header_armed = false;
      if (good) {
        std::copy_n(rx_buffer_.begin(), s.rx_count, last_frame_.begin());
        last_size_ = static_cast<std::size_t>(s.rx_count);
        state_ = s;
        bytes_after_event_ = static_cast<std::size_t>(end - at - 1);
        events_->OnGoodFrame(FrameView(last_frame()));
      } else {
        s.rx_count = 0;
        s.rx_length = 0;
        state_ = s;
        bytes_after_event_ = static_cast<std::size_t>(end - at - 1);
        events_->OnChecksumError();
      }
      s = state_;  // a handler may have reset the receiver
    }

    // 2. Store.
    if (s.in_frame) {
      if (s.rx_count == 0) {
        s.rx_length = b;
        s.rx_sum = 0;
      }
      rx_buffer_[s.rx_count] = b;
      s.rx_sum += b;
      if (++s.rx_count > kMaxStoredBytes) {
        s.in_frame = false;
        s.header_armed = false;
      }
    }

    // 3. Header.
    if (b == kHeader1) s.header_armed = true;
    if (b == kHeader2 && s.header_armed) {
      s.bytes_since_header = 0;
      s.in_frame = true;
      s.rx_count = 0;
      s.header_armed = false;
    }

    // 4. Header watchdog.
    if (++s.bytes_since_header > kHeaderWatchdogBytes) {
      s.bytes_since_header = 0;
      state_ = s;
      bytes_after_event_ = static_cast<std::size_t>(end - at - 1);
      events_->OnHeaderMissing();
      s = state_;
    }
  }
  state_ = s;
}

void FrameReceiver::ResetReceiver() {
  state_.in_frame = false;
  state_.rx_count = 0;
  state_.rx_length = 0;
  state_.header_armed = false;
}

}  // namespace tarvel::link
