#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/momentum/rsi.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Quantitative qualitative estimation: rsi_ma = exponential stage (smoothing) of `Rsi`(rsi); the
/// first rsi_ma is only stored. |rsi_ma - previous rsi_ma| passes two exponential stages of length
/// 2 * rsi - 1; band = result * factor gives the new long line rsi_ma - band and the new short line
/// rsi_ma + band. The long line ratchets up and the short line down while rsi_ma stays on their
/// side; a cross of the previous short line turns the trend up (trailing line = long line), a cross
/// of the previous long line turns it down (trailing line = short line). On the first bar with a
/// band the lines are the new lines; the trend starts up.
class Qqe {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"rsi_ma", "trailing_line"};

  /// Checks: the rsi period and the smoothing (each 0, then MAX_PERIOD); factor finite and > 0.
  static Expected<Qqe> create(std::uint64_t rsi_period, std::uint64_t smoothing, double factor);
  /// Precondition: `create`'s checks passed.
  Qqe(std::uint64_t rsi_period, std::uint64_t smoothing, double factor) noexcept
      : rsi_(rsi_period),
        rsi_ma_(smoothing),
        delta_(sat_sub(sat_mul(2, rsi_period), 1)),
        delta_smooth_(sat_sub(sat_mul(2, rsi_period), 1)),
        factor_(factor) {}

  std::optional<std::array<double, 2>> update(double x) noexcept {
    const auto r = rsi_.update(x);
    if (!r) return std::nullopt;
    const auto ma = rsi_ma_.update(*r);
    if (!ma) return std::nullopt;
    const double v = *ma;
    if (!has_prev_ma_) [[unlikely]] {
      prev_ma_ = v;
      has_prev_ma_ = true;
      return std::nullopt;
    }
    const double prev = prev_ma_;
    prev_ma_ = v;
    const auto d1 = delta_.update(std::fabs(v - prev));
    if (!d1) return std::nullopt;
    const auto d2 = delta_smooth_.update(*d1);
    if (!d2) return std::nullopt;
    const double band = *d2 * factor_;
    const double new_long = v - band;
    const double new_short = v + band;
    if (!has_lines_) [[unlikely]] {
      long_ = new_long;
      short_ = new_short;
      has_lines_ = true;
      return std::array<double, 2>{v, trend_ > 0 ? long_ : short_};
    }
    const double l = long_;
    const double s = short_;
    long_ = (l < v && prev > l && new_long < l) ? l : new_long;
    short_ = (s > v && prev < s && new_short > s) ? s : new_short;
    double trailing;
    if (prev <= s && s < v) {
      trend_ = 1;
      trailing = long_;
    } else if (l <= prev && l > v) {
      trend_ = -1;
      trailing = short_;
    } else {
      trailing = trend_ > 0 ? long_ : short_;
    }
    return std::array<double, 2>{v, trailing};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    // rsi + smoothing + 2 * (2 * rsi - 1) - 1
    return sat_sub(sat_add(sat_add(rsi_.warmup_period() - 1, rsi_ma_.period()), sat_mul(2, delta_.period())), 1);
  }

 private:
  Rsi rsi_;
  ExpStage rsi_ma_;
  ExpStage delta_;
  ExpStage delta_smooth_;
  double factor_;
  double prev_ma_ = 0.0;
  double long_ = 0.0;
  double short_ = 0.0;
  int trend_ = 1;
  bool has_prev_ma_ = false;
  bool has_lines_ = false;
};

}  // namespace sorvik
