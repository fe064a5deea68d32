#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/heikin_ashi.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Heikin-Ashi candles of smoothed prices: four exponential(n) stages smooth open, high, low and
/// close; once all four are ready the Heikin-Ashi rule runs on the smoothed values.
class SmoothedHeikinAshi {
 public:
  static constexpr std::array<std::string_view, 4> output_names{"open", "high", "low", "close"};
  static Expected<SmoothedHeikinAshi> create(std::uint64_t period);
  explicit SmoothedHeikinAshi(std::uint64_t period) noexcept
      : open_(period), high_(period), low_(period), close_(period) {}

  std::optional<std::array<double, 4>> update(const Candle& c) noexcept {
    const auto o = open_.update(c.open);
    const auto h = high_.update(c.high);
    const auto l = low_.update(c.low);
    const auto cl = close_.update(c.close);
    if (!o || !h || !l || !cl) return std::nullopt;
    return core_.next(*o, *h, *l, *cl);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return open_.period(); }

 private:
  ExpStage open_;
  ExpStage high_;
  ExpStage low_;
  ExpStage close_;
  HeikinAshiCore core_;
};

}  // namespace sorvik
