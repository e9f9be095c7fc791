#pragma once
// When each periodic frame of the simulated board falls due.
//
// Frame n (counting from 0) of a kind sent at f per second is due (n + 1) / f seconds after
// power-on, rounded to the microsecond. Due times are computed from n, not accumulated, so
// they never drift and do not depend on how time is advanced.

#include <array>
#include <cstdint>
#include <optional>

#include "sim/board_options.h"

namespace tarvel::sim {

// The periodic frames, in the order they go out when several fall due at the same moment.
enum class FrameKind {
  kImu,
  kMotion,
  kPwmIn,
  kPwmOut,
  kGps,
  kTarget,
  kStatus,
  kTrack,
  kMagRange,
  kFlow,
};
inline constexpr int kFrameKindCount = 10;

class FrameSchedule {
 public:
  struct Due {
    std::int64_t time_us;
    FrameKind kind;
  };

  explicit FrameSchedule(const FrameRates& rates);

  // Takes the earliest frame due at or before `until_us` (ties in FrameKind order); nothing if
  // no frame is due by then.
  std::optional<Due> Next(std::int64_t until_us);

 private:
  std::int64_t DueTime(int kind) const;

  std::array<double, kFrameKindCount> hz_{};          // 0: never
  std::array<std::int64_t, kFrameKindCount> sent_{};  // frames of each kind taken so far
};

}  // namespace tarvel::sim
